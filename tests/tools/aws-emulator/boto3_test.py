#!/usr/bin/python3
"""boto3 (AWS's own client, from Debian) against the aws-emulator executable.

Every operation, boto3's paginators, the errors botocore raises, faults set over the admin endpoints,
and HTTPS. Run: boto3_test.py --emulator PATH --scenario demo.json
"""
import argparse
import datetime
import json
import os
import sys
import tempfile
import unittest

import boto3
import botocore.exceptions
import botocore.parsers
from botocore.config import Config

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from emulator_process import EmulatorProcess  # noqa: E402 (found through the path above)

ARGS = None
KEY = "AKIDEXAMPLE"
SECRET = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"
ALB = "app/web-alb/50dc6c495c0c9188"


class Emulator(EmulatorProcess):
    """The executable under test, with boto3 clients pointed at it."""

    def __init__(self, scenario, *extra):
        super().__init__(ARGS.emulator, scenario, *extra)

    def client(self, service, region="us-east-1", key=KEY, secret=SECRET, attempts=1, **kw):
        return boto3.client(service, endpoint_url=self.url, region_name=region, aws_access_key_id=key,
                            aws_secret_access_key=secret,
                            config=Config(retries={"total_max_attempts": attempts, "mode": "standard"}), **kw)


def today():
    return datetime.datetime.now(datetime.timezone.utc).date()


def period(start, days):
    """Cost Explorer's TimePeriod from start over a number of days."""
    return {"Start": start.isoformat(), "End": (start + datetime.timedelta(days=days)).isoformat()}


class DemoScenario(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.emu = Emulator(ARGS.scenario)

    @classmethod
    def tearDownClass(cls):
        assert cls.emu.stop() == 0

    def setUp(self):
        self.emu.admin("POST", "/_emulator/reset", {})

    def assertClientError(self, code, status, call, *args, **kwargs):
        with self.assertRaises(botocore.exceptions.ClientError) as caught:
            call(*args, **kwargs)
        self.assertEqual(caught.exception.response["Error"]["Code"], code)
        self.assertEqual(caught.exception.response["ResponseMetadata"]["HTTPStatusCode"], status)
        return caught.exception

    # --- EC2 ---
    def test_regions(self):
        ec2 = self.emu.client("ec2")
        names = [r["RegionName"] for r in ec2.describe_regions()["Regions"]]
        self.assertEqual(names, ["us-east-1", "eu-central-1", "sa-east-1"])
        everything = ec2.describe_regions(AllRegions=True)["Regions"]
        self.assertEqual({r["RegionName"]: r["OptInStatus"] for r in everything}["me-south-1"], "not-opted-in")

    def test_instances(self):
        pages = list(self.emu.client("ec2").get_paginator("describe_instances").paginate())
        instances = [i for p in pages for r in p["Reservations"] for i in r["Instances"]]
        self.assertEqual(len(instances), 4)
        states = {i["InstanceId"]: i["State"] for i in instances}
        self.assertEqual(states["i-0a1b2c3d4e5f60003"], {"Code": 80, "Name": "stopped"})
        asg = [i for i in instances if {"Key": "aws:autoscaling:groupName", "Value": "web-asg"} in i.get("Tags", [])]
        self.assertEqual(len(asg), 1)
        self.assertIsInstance(instances[0]["LaunchTime"], datetime.datetime)

    def test_volumes(self):
        ec2 = self.emu.client("ec2")
        volumes = ec2.describe_volumes(MaxResults=5)["Volumes"]
        self.assertEqual(len(volumes), 5)
        archive = [v for v in volumes if v["VolumeId"] == "vol-0a1b2c3d4e5f70005"][0]
        self.assertEqual((archive["State"], archive["Attachments"], archive["Size"]), ("available", [], 500))
        one = ec2.describe_volumes(VolumeIds=["vol-0a1b2c3d4e5f70002"])["Volumes"][0]
        self.assertEqual(one["Attachments"][0]["State"], "attached")
        self.assertEqual(one["VolumeType"], "gp2")
        self.assertClientError("InvalidVolume.NotFound", 400, ec2.describe_volumes, VolumeIds=["vol-0fffffffffffffff0"])

    # --- CloudWatch ---
    def test_metric_statistics(self):
        cw = self.emu.client("cloudwatch")
        end = datetime.datetime.now(datetime.timezone.utc)
        result = cw.get_metric_statistics(
            Namespace="AWS/EC2", MetricName="CPUUtilization", Statistics=["Average"], Period=300,
            Dimensions=[{"Name": "InstanceId", "Value": "i-0a1b2c3d4e5f60001"}],
            StartTime=end - datetime.timedelta(minutes=30), EndTime=end)
        points = result["Datapoints"]
        self.assertGreaterEqual(len(points), 5)
        self.assertTrue(all(p["Unit"] == "Percent" and "Maximum" not in p for p in points))
        times = [p["Timestamp"] for p in points]
        self.assertNotEqual(times, sorted(times))
        self.assertClientError("InvalidParameterValue", 400, cw.get_metric_statistics, Namespace="AWS/EC2",
                               MetricName="CPUUtilization", Statistics=["Average"], Period=90,
                               StartTime=end - datetime.timedelta(minutes=30), EndTime=end)
        self.assertClientError("InvalidParameterCombination", 400, cw.get_metric_statistics, Namespace="AWS/EC2",
                               MetricName="CPUUtilization", Statistics=["Average"], Period=60,
                               StartTime=end - datetime.timedelta(days=2), EndTime=end)

    def test_list_metrics(self):
        pages = self.emu.client("cloudwatch").get_paginator("list_metrics").paginate(
            Namespace="AWS/ApplicationELB", Dimensions=[{"Name": "LoadBalancer", "Value": ALB}])
        metrics = [m for p in pages for m in p["Metrics"]]
        target_groups = {d["Value"] for m in metrics for d in m["Dimensions"] if d["Name"] == "TargetGroup"}
        self.assertEqual(len(target_groups), 2)
        self.assertIn("HealthyHostCount", {m["MetricName"] for m in metrics})

    def test_alarms(self):
        cw = self.emu.client("cloudwatch")
        plain = cw.describe_alarms()
        self.assertEqual(len(plain["MetricAlarms"]), 4)
        self.assertEqual(plain["CompositeAlarms"], [])
        both = cw.describe_alarms(AlarmTypes=["MetricAlarm", "CompositeAlarm"])
        self.assertEqual({a["StateValue"] for a in both["MetricAlarms"]}, {"OK", "ALARM", "INSUFFICIENT_DATA"})
        composite = both["CompositeAlarms"][0]
        children = cw.describe_alarms(ChildrenOfAlarmName=composite["AlarmName"])["MetricAlarms"]
        self.assertEqual(len(children), 3)
        queries = [a for a in both["MetricAlarms"] if a["AlarmName"] == "web-error-rate"][0]["Metrics"]
        self.assertEqual([q.get("Expression") for q in queries], [None, None, "100 * errors / requests"])
        self.assertEqual(queries[0]["MetricStat"]["Metric"]["Dimensions"], [{"Name": "LoadBalancer", "Value": ALB}])

    # --- ELBv2, RDS ---
    def test_load_balancers(self):
        elb = self.emu.client("elbv2")
        lbs = [lb for p in elb.get_paginator("describe_load_balancers").paginate() for lb in p["LoadBalancers"]]
        self.assertEqual(sorted(lb["Type"] for lb in lbs), ["application", "network"])
        self.assertClientError("LoadBalancerNotFound", 400, elb.describe_load_balancers, Names=["nope"])

    def test_db_instances(self):
        rds = self.emu.client("rds")
        dbs = rds.describe_db_instances()["DBInstances"]
        self.assertEqual([d["DBInstanceIdentifier"] for d in dbs], ["orders-db", "orders-db-replica"])
        self.assertEqual(dbs[0]["ReadReplicaDBInstanceIdentifiers"], ["orders-db-replica"])
        filtered = rds.describe_db_instances(Filters=[{"Name": "db-instance-id", "Values": ["orders-db-replica"]}])
        self.assertEqual(filtered["DBInstances"][0]["ReadReplicaSourceDBInstanceIdentifier"], "orders-db")
        self.assertClientError("DBInstanceNotFound", 404, rds.describe_db_instances, DBInstanceIdentifier="nope")

    # --- Cost Explorer ---
    def test_costs_and_forecasts(self):
        ce = self.emu.client("ce")
        t = today()
        start = t.replace(month=1, day=1)
        result = ce.get_cost_and_usage(TimePeriod=period(start, (t - start).days + 1), Granularity="MONTHLY",
                                       Metrics=["BlendedCost", "UnblendedCost"])
        self.assertEqual(len(result["ResultsByTime"]), t.month)
        for entry in result["ResultsByTime"]:
            self.assertEqual(entry["Total"]["BlendedCost"]["Unit"], "USD")
            self.assertGreater(float(entry["Total"]["UnblendedCost"]["Amount"]), 0)
        if (t + datetime.timedelta(days=1)).month == t.month:
            forecast = ce.get_cost_forecast(TimePeriod=period(t, 1), Metric="UNBLENDED_COST", Granularity="MONTHLY")
            self.assertGreater(float(forecast["Total"]["Amount"]), 0)
        self.assertClientError("ValidationException", 400, ce.get_cost_and_usage, TimePeriod=period(t, 0),
                               Granularity="MONTHLY", Metrics=["BlendedCost"])
        self.assertClientError("ValidationException", 400, ce.get_cost_forecast,
                               TimePeriod=period(t - datetime.timedelta(days=1), 2), Metric="BLENDED_COST",
                               Granularity="MONTHLY")

    # --- authentication ---
    def test_authentication_errors(self):
        costs = {"TimePeriod": {"Start": "2024-01-01", "End": "2024-01-02"}, "Granularity": "MONTHLY",
                 "Metrics": ["BlendedCost"]}
        cases = [("ec2", "describe_regions", {}, "AuthFailure", 401, SECRET + "x", KEY),
                 ("cloudwatch", "list_metrics", {}, "SignatureDoesNotMatch", 403, SECRET + "x", KEY),
                 ("rds", "describe_db_instances", {}, "InvalidClientTokenId", 403, SECRET, "AKIDNOBODY"),
                 ("elbv2", "describe_load_balancers", {}, "SignatureDoesNotMatch", 403, "x", KEY),
                 ("ce", "get_cost_and_usage", costs, "InvalidSignatureException", 400, "x", KEY),
                 ("ce", "get_cost_and_usage", costs, "UnrecognizedClientException", 400, SECRET, "AKIDNOBODY")]
        for service, op, kwargs, code, status, secret, key in cases:
            with self.subTest(service=service, code=code):
                client = self.emu.client(service, key=key, secret=secret)
                self.assertClientError(code, status, getattr(client, op), **kwargs)
        self.assertClientError("AuthFailure", 401, self.emu.client("ec2", region="ap-east-1").describe_instances)

    # --- faults and the request log ---
    def test_faults_over_admin_endpoints(self):
        self.emu.admin("POST", "/_emulator/faults", [
            {"operation": "DescribeDBInstances", "kind": "throttling", "times": 1},
            {"operation": "GetCostForecast", "kind": "data_unavailable"},
            {"operation": "DescribeVolumes", "region": "eu-central-1", "kind": "unauthorized_operation"},
            {"operation": "ListMetrics", "kind": "drop_connection"},
            {"operation": "DescribeRegions", "kind": "malformed_body", "times": 1},
            {"operation": "DescribeAlarms", "kind": "http_status", "status": 503, "body": False, "times": 1}])
        retried = self.emu.client("rds", attempts=2).describe_db_instances()
        self.assertEqual(retried["ResponseMetadata"]["RetryAttempts"], 1)
        self.assertClientError("DataUnavailableException", 400, self.emu.client("ce").get_cost_forecast,
                               TimePeriod=period(today(), 40), Metric="BLENDED_COST", Granularity="MONTHLY")
        self.assertClientError("UnauthorizedOperation", 403,
                               self.emu.client("ec2", region="eu-central-1").describe_volumes)
        self.emu.client("ec2", region="us-east-1").describe_volumes()
        with self.assertRaises(botocore.exceptions.ConnectionClosedError):
            self.emu.client("cloudwatch").list_metrics()
        with self.assertRaises(botocore.parsers.ResponseParserError):
            self.emu.client("ec2").describe_regions()
        self.assertClientError("503", 503, self.emu.client("cloudwatch").describe_alarms)

        log = self.emu.admin("GET", "/_emulator/requests")
        self.assertEqual(log["counts"]["DescribeDBInstances"], 2)
        first = [r for r in log["requests"] if r["operation"] == "DescribeDBInstances"][0]
        self.assertEqual((first["status"], first["error_code"], first["fault"]), (400, "Throttling", "throttling"))
        self.assertEqual(first["access_key"], KEY)
        dropped = [r for r in log["requests"] if r["operation"] == "ListMetrics"][0]
        self.assertEqual(dropped["status"], 0)
        self.assertEqual([r["sequence"] for r in log["requests"]], list(range(1, len(log["requests"]) + 1)))


GENERATED = {
    "accounts": [{"credentials": [{"access_key": KEY, "secret_key": SECRET}],
                  "regions": {"us-east-1": {"generate": {"instances": 23, "volumes": 12, "load_balancers": 7,
                                                         "db_instances": 45, "metric_alarms": 120,
                                                         "metrics": 1001}}}}],
    "page_sizes": {"DescribeInstances": 5, "DescribeVolumes": 5, "DescribeLoadBalancers": 2}
}


class Paginators(unittest.TestCase):
    """boto3's own paginators over generated listings with small pages."""

    @classmethod
    def setUpClass(cls):
        cls.file = tempfile.NamedTemporaryFile("w", suffix=".json", delete=False)
        json.dump(GENERATED, cls.file)
        cls.file.close()
        cls.emu = Emulator(cls.file.name)

    @classmethod
    def tearDownClass(cls):
        cls.emu.stop()
        os.unlink(cls.file.name)

    def check(self, service, operation, key, expected_items, expected_pages, **kwargs):
        pages = list(self.emu.client(service).get_paginator(operation).paginate(**kwargs))
        items = [x for p in pages for x in key(p)]
        self.assertEqual((len(items), len(pages)), (expected_items, expected_pages))
        return items

    def test_all(self):
        self.check("ec2", "describe_instances", lambda p: [i for r in p["Reservations"] for i in r["Instances"]], 23, 5)
        self.check("ec2", "describe_volumes", lambda p: p["Volumes"], 12, 3)
        self.check("elbv2", "describe_load_balancers", lambda p: p["LoadBalancers"], 7, 4)
        self.check("rds", "describe_db_instances", lambda p: p["DBInstances"], 45, 3, PaginationConfig={"PageSize": 20})
        self.check("cloudwatch", "describe_alarms", lambda p: p["MetricAlarms"], 120, 3)
        names = self.check("cloudwatch", "list_metrics", lambda p: p["Metrics"], 1001, 3)
        self.assertEqual(len({m["Dimensions"][0]["Value"] for m in names}), 1001)


class Https(unittest.TestCase):
    def test_tls_with_generated_certificate(self):
        with tempfile.TemporaryDirectory() as tmp:
            cert = os.path.join(tmp, "emulator.pem")
            emu = Emulator(ARGS.scenario, "--tls", "--cert-file", cert)
            try:
                self.assertTrue(emu.url.startswith("https://127.0.0.1:"))
                regions = emu.client("ec2", verify=cert).describe_regions()["Regions"]
                self.assertEqual(len(regions), 3)
            finally:
                self.assertEqual(emu.stop(), 0)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--emulator", required=True)
    parser.add_argument("--scenario", required=True)
    ARGS, rest = parser.parse_known_args()
    os.environ.pop("AWS_PROFILE", None)
    os.environ["AWS_CONFIG_FILE"] = os.devnull
    os.environ["AWS_SHARED_CREDENTIALS_FILE"] = os.devnull
    result = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False, warnings="ignore").result
    failed = len(result.failures) + len(result.errors)
    print(f"{result.testsRun - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
