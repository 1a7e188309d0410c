#!/usr/bin/python3
"""The probe as an operator types it, against the emulator executable with the demo account: a sensor
needs only what identifies it, the exit status says whether every call succeeded, every failure says
why with a hint, and `probe cost` measures at the transport and prices what it measured.

Run: probe_cli_test.py --source DIR --probe PATH --emulator PATH
"""
import json
import socket
import tempfile
import unittest

import probe_support
from probe_support import Emulator, run_probe

EC2 = "ec2_metascan_section.ec2_metascan_group."
EC2_WEB_01 = ("--set", EC2 + "id=i-0a1b2c3d4e5f60001", "--set", EC2 + "region=us-east-1")
SECONDS_PER_MONTH = 30 * 24 * 3600


def closed_port():
    """A loopback port nothing listens on."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class AgainstTheDemoAccount(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.emulator = Emulator()

    @classmethod
    def tearDownClass(cls):
        assert cls.emulator.stop() == 0

    def setUp(self):
        self.emulator.reset()

    def probe(self, *args):
        return run_probe(*args, emulator=self.emulator)


class DefaultFilling(AgainstTheDemoAccount):
    def test_a_sensor_needs_only_what_identifies_it(self):
        identifying = {
            "ec2_sensor": EC2_WEB_01,
            "ebs_sensor": ("--set", "ebs_metascan_section.ebs_metascan_group.id=vol-0a1b2c3d4e5f70001",
                           "--set", "ebs_metascan_section.ebs_metascan_group.region=us-east-1"),
            "rds_sensor": ("--set", "rds_metascan_section.rds_metascan_group.identifier=analytics-db",
                           "--set", "rds_metascan_section.rds_metascan_group.region=eu-central-1"),
            "elb_sensor": ("--set", "elb_metascan_section.elb_metascan_group.id=app/web-alb/50dc6c495c0c9188",
                           "--set", "elb_metascan_section.elb_metascan_group.type=application",
                           "--set", "elb_metascan_section.elb_metascan_group.region=us-east-1"),
            "alarm_sensor": ("--set", "alarm_metascan_section.alarm_metascan_group.name=web-01-cpu-high",
                             "--set", "alarm_metascan_section.alarm_metascan_group.type=Metric",
                             "--set", "alarm_metascan_section.alarm_metascan_group.region=us-east-1"),
            "awscost": (),
        }
        for kind, settings in identifying.items():
            with self.subTest(kind=kind):
                done = self.probe("scan", kind, *settings)
                self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
                self.assertIn("scan result (response 0", done.stdout)
                self.assertEqual(done.stderr, "")


class ExitStatus(AgainstTheDemoAccount):
    def test_zero_when_every_call_succeeded_one_when_one_failed_two_for_usage(self):
        cases = [
            (["info"], 0),
            (["--help"], 0),
            (["check", "ec2_check"], 0),
            (["metascan", "rds_metascan"], 0),
            (["scan", "ec2_sensor", "--count", "2", *EC2_WEB_01], 0),
            (["check", "ec2_check", "--secret-key", "wrong"], 1),
            (["metascan", "ec2_metascan", "--secret-key", "wrong"], 1),
            (["scan", "ec2_sensor", "--set", EC2 + "id=i-00000000000000000", "--set", EC2 + "region=us-east-1"], 1),
            (["scan", "ec2_sensor", "--set", "interval=0"], 1),
            (["cost", "--secret-key", "wrong"], 1),
            (["scan", "no_such_sensor"], 2),
            (["check", "ec2_sensor"], 2),
            (["check"], 2),
            (["--bogus", "info"], 2),
            (["scan", "ec2_sensor", "--set", "no-equals-sign"], 2),
            (["scan", "ec2_sensor", "--count", "0"], 2),
            (["scan", "ec2_sensor", "--settings", "/nonexistent/settings.json"], 2),
            (["cost", "--prices", "/nonexistent/prices.json"], 2),
            (["cost", "--interval", "-5"], 2),
            (["--module", "/nonexistent/libvexa_aws.so", "info"], 2),
        ]
        for args, expected in cases:
            with self.subTest(args=args):
                done = self.probe(*args)
                self.assertEqual(done.returncode, expected, done.stdout + done.stderr)
                if expected == 1:
                    self.assertRegex(done.stderr, r"probe: \S")


class FailureTexts(AgainstTheDemoAccount):
    def assertSays(self, done, *parts):
        self.assertEqual(done.returncode, 1, done.stdout + done.stderr)
        for part in parts:
            self.assertIn(part, done.stderr)

    def test_wrong_secret(self):
        self.assertSays(self.probe("scan", "ec2_sensor", *EC2_WEB_01, "--secret-key", "wrong"),
                        "probe: the scan of sensor 1 failed",
                        "probe: hint: AWS could not verify the request's signature: the secret key")
        self.assertSays(self.probe("check", "ec2_check", "--secret-key", "wrong"),
                        "probe: ec2_check failed; the module says:", "AuthFailure",
                        "probe: hint: AWS did not accept the credentials")

    def test_unknown_region(self):
        for region in ("eu-west-1", "ap-east-1"):
            with self.subTest(region=region):
                done = self.probe("scan", "ec2_sensor", "--set", EC2 + "id=i-0a1b2c3d4e5f60001",
                                  "--set", EC2 + "region=" + region)
                self.assertSays(done, "this region is not enabled for the account")
                self.assertIn("The security token included in the request is invalid.", done.stdout)

    def test_unreachable_endpoint(self):
        # The SDK's default retries with backoff make this call take about 25 seconds.
        done = run_probe("--endpoint", "http://127.0.0.1:%d" % closed_port(), "check", "ec2_check")
        self.assertSays(done, "Couldn't connect to server", "probe: hint: The AWS endpoint could not be reached")

    def test_refused_create(self):
        done = self.probe("scan", "ec2_sensor", "--set", "httpproxy.httpproxygroup.port=70000")
        self.assertSays(done, "probe: CreateSensorInstance returned 12: the settings were rejected",
                        "probe: hint: A setting is missing or invalid")
        self.assertRegex(done.stderr, r"probe:   .*70000.*port.*maximum", "the module's reason, from its log")
        self.assertNotIn("DestroySensorInstance", done.stderr)

    def test_with_json_the_reason_goes_to_the_error_stream_and_cannot_steer_the_terminal(self):
        self.emulator.admin("POST", "/_emulator/faults", {
            "operation": "GetMetricStatistics", "kind": "access_denied", "times": 0,
            "message": "\u001b]0;owned\u0007\u001b[2J denied"})
        done = self.probe("--json", "scan", "ec2_sensor", *EC2_WEB_01)
        self.assertSays(done, "probe: the scan of sensor 1 failed:", "denied",
                        "probe: hint: The credentials lack a permission")
        self.assertNotIn("\u001b", done.stderr)
        for line in done.stdout.splitlines():
            json.loads(line)


class Cost(AgainstTheDemoAccount):
    def prices(self):
        return json.loads((probe_support.ARGS.source / "tools/probe/default_prices.json").read_text())

    def cost(self, *args):
        done = self.probe("cost", "--json", *args)
        self.assertEqual(done.returncode, 0, done.stderr)
        return json.loads(done.stdout)

    def assertTotalsFollow(self, bill, prices):
        total = 0
        for sensor in bill["sensors"]:
            scans = SECONDS_PER_MONTH // sensor["interval_s"]
            per_scan = sensor["requests_per_scan"]
            usd = sum(count * prices[op] * scans for op, count in per_scan.items())
            self.assertEqual(sensor["scans_per_month"], scans, sensor)
            self.assertEqual(sensor["requests_per_month"], sum(per_scan.values()) * scans, sensor)
            self.assertAlmostEqual(sensor["usd_per_month"], usd, places=5, msg=sensor)
            total += usd
        self.assertAlmostEqual(bill["total_usd_per_month"], total, places=5)

    def test_every_discovered_resource_is_measured_and_priced(self):
        bill = self.cost()
        self.assertEqual(list(bill), ["sensors", "total_usd_per_month"])
        for sensor in bill["sensors"]:
            self.assertEqual(list(sensor), ["kind", "resource", "interval_s", "requests_per_scan",
                                            "scans_per_month", "requests_per_month", "usd_per_month"])
        kinds = [s["kind"] for s in bill["sensors"]]
        self.assertEqual({k: kinds.count(k) for k in set(kinds)},
                         {"alarm_sensor": 6, "awscost": 1, "ebs_sensor": 8, "ec2_sensor": 5, "elb_sensor": 2,
                          "rds_sensor": 3})
        for sensor in bill["sensors"]:
            if sensor["kind"] == "ec2_sensor":
                self.assertEqual(sensor["requests_per_scan"], {"GetMetricStatistics": 11}, sensor)
                self.assertEqual(sensor["interval_s"], 300)
        self.assertIn("us-east-1/i-0a1b2c3d4e5f60001", [s["resource"] for s in bill["sensors"]])
        self.assertTotalsFollow(bill, self.prices()["usd_per_request"])

    def test_counts_are_the_requests_that_reached_aws_retries_included(self):
        with tempfile.NamedTemporaryFile("w", suffix=".json") as sensors:
            json.dump({"kind": "ec2_sensor", "settings": {EC2 + "id": "i-0a1b2c3d4e5f60001",
                                                          EC2 + "region": "us-east-1"}}, sensors)
            sensors.flush()
            self.emulator.admin("POST", "/_emulator/faults",
                                {"operation": "GetMetricStatistics", "kind": "throttling", "times": 1})
            bill = self.cost("--settings", sensors.name)
        received = self.emulator.admin("GET", "/_emulator/requests")["counts"]
        self.assertEqual(received, {"GetMetricStatistics": 12})
        self.assertEqual(bill["sensors"][0]["requests_per_scan"], {"GetMetricStatistics": 12})
        self.assertEqual(bill["sensors"][0]["resource"], "us-east-1/i-0a1b2c3d4e5f60001")

    def test_interval_and_prices_can_be_given(self):
        prices = self.prices()
        prices["usd_per_request"]["GetMetricStatistics"] = 0.5
        with tempfile.NamedTemporaryFile("w", suffix=".json") as table:
            json.dump(prices, table)
            table.flush()
            bill = self.cost("--interval", "60", "--prices", table.name)
        intervals = {s["kind"]: s["interval_s"] for s in bill["sensors"]}
        # Raised to each kind's minimum: EC2 and RDS 300 s, the cost sensor an hour.
        self.assertEqual(intervals, {"alarm_sensor": 60, "awscost": 3600, "ebs_sensor": 60, "ec2_sensor": 300,
                                     "elb_sensor": 60, "rds_sensor": 300})
        self.assertTotalsFollow(bill, prices["usd_per_request"])

    def test_an_operation_without_a_price_is_named(self):
        prices = self.prices()
        del prices["usd_per_request"]["ListMetrics"]
        with tempfile.NamedTemporaryFile("w", suffix=".json") as table:
            json.dump(prices, table)
            table.flush()
            done = self.probe("cost", "--prices", table.name)
        self.assertEqual(done.returncode, 1)
        self.assertIn("probe: the price table has no price for ListMetrics", done.stderr)
        self.assertIn("Free tier", done.stdout)


if __name__ == "__main__":
    probe_support.main()
