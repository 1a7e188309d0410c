#!/usr/bin/python3
"""The baseline of the module benchmark: one sensor kind's scan done with boto3.

Each scan makes the AWS calls the module's sensor of that kind makes (same operations, parameters,
order and paging) and the little work around them (newest datapoint, conversions, the result as
JSON). Session and client are created once, before the measured scans. Prints one JSON object:
per-scan thread CPU time and wall time in microseconds, the connections boto3 opened, versions.

Credentials come from AWS_ACCESS_KEY_ID / AWS_SECRET_ACCESS_KEY.
"""

import argparse
import datetime
import json
import sys
import time

import boto3
import botocore
import botocore.config
import urllib3
import urllib3.util.connection

# ---- metric tables: (metric, statistic, period rule) -------------------------------------------

EC2_METRICS = [
    ("CPUUtilization", "Average", "p60"),
    ("NetworkIn", "Average", "p60"),
    ("NetworkOut", "Average", "p60"),
    ("DiskReadOps", "Average", "p60"),
    ("DiskWriteOps", "Average", "p60"),
    ("DiskReadBytes", "Average", "p60"),
    ("DiskWriteBytes", "Average", "p60"),
    ("CPUCreditUsage", "Sum", "p300"),
    ("CPUCreditBalance", "Sum", "p300"),
    ("StatusCheckFailed_Instance", "Average", "p60"),
    ("StatusCheckFailed_System", "Average", "p60"),
]

EBS_METRICS = [
    ("VolumeReadBytes", "Sum", "p60"),
    ("VolumeWriteBytes", "Sum", "p60"),
    ("VolumeReadOps", "Sum", "p60"),
    ("VolumeWriteOps", "Sum", "p60"),
    ("VolumeTotalReadTime", "Average", "p60"),
    ("VolumeTotalWriteTime", "Average", "p60"),
    ("VolumeIdleTime", "Sum", "p60"),
    ("VolumeQueueLength", "Average", "p60"),
    ("BurstBalance", "Average", "p60"),
]

RDS_METRICS = [
    ("CPUUtilization", "Average", "p60"),
    ("DatabaseConnections", "Average", "p60"),
    ("FreeableMemory", "Average", "p60"),
    ("FreeStorageSpace", "Minimum", "p60"),
    ("ReadIOPS", "Average", "p60"),
    ("WriteIOPS", "Average", "p60"),
    ("ReadLatency", "Average", "p60"),
    ("WriteLatency", "Average", "p60"),
    ("ReadThroughput", "Average", "p60"),
    ("WriteThroughput", "Average", "p60"),
    ("SwapUsage", "Maximum", "p60"),
    ("BinLogDiskUsage", "Average", "p60"),
    ("DiskQueueDepth", "Average", "p60"),
    ("NetworkReceiveThroughput", "Average", "p60"),
    ("NetworkTransmitThroughput", "Average", "p60"),
    ("CPUCreditUsage", "Sum", "p300"),
    ("CPUCreditBalance", "Sum", "p300"),
    ("ReplicaLag", "Average", "p60"),
]

ALB_METRICS = [
    ("HealthyHostCount", "Minimum", "p60"),
    ("UnHealthyHostCount", "Average", "p60"),
    ("TargetResponseTime", "Average", "p60"),
    ("NewConnectionCount", "Sum", "p60"),
    ("ActiveConnectionCount", "Sum", "p60"),
    ("TargetConnectionErrorCount", "Sum", "p60"),
    ("ProcessedBytes", "Sum", "p60"),
    ("ConsumedLCUs", "Sum", "p60"),
    ("RuleEvaluations", "Sum", "p60"),
    ("HTTPCode_Target_4XX_Count", "Sum", "p60"),
    ("HTTPCode_Target_5XX_Count", "Sum", "p60"),
    ("HTTPCode_ELB_4XX_Count", "Sum", "p60"),
    ("HTTPCode_ELB_5XX_Count", "Sum", "p60"),
]

NLB_METRICS = [
    ("HealthyHostCount", "Minimum", "p60"),
    ("UnHealthyHostCount", "Maximum", "p60"),
    ("ActiveFlowCount", "Average", "p60"),
    ("ConsumedLCUs", "Sum", "p60"),
    ("NewFlowCount", "Sum", "p60"),
    ("PeakBytesPerSecond", "Maximum", "p60"),
    ("ProcessedBytes", "Sum", "p60"),
    ("TCP_Client_Reset_Count", "Sum", "p60"),
    ("TCP_ELB_Reset_Count", "Sum", "p60"),
    ("TCP_Target_Reset_Count", "Sum", "p60"),
]

COST_METRICS = ["BlendedCost", "AmortizedCost", "NetAmortizedCost", "UnblendedCost", "NetUnblendedCost"]

VOLUME_STATES = {"creating": 1, "available": 2, "in-use": 3, "deleting": 4, "deleted": 5, "error": 6}
ALARM_STATES = {"INSUFFICIENT_DATA": 0, "OK": 1, "ALARM": 2}


def align_up(value, multiple):
    return (value + multiple - 1) // multiple * multiple


class Scanner:
    """The AWS side of one sensor: a client made once, one scan() per sensor scan."""

    def __init__(self, kind, resource, interval, client_factory):
        self.kind = kind
        self.resource = resource
        self.periods = {"p60": align_up(interval, 60), "p300": align_up(interval, 300)}
        service = "ce" if kind == "cost" else "ec2" if kind == "ebs" else "cloudwatch"
        region = "us-east-1" if kind == "cost" else resource["region"]
        self.client = client_factory(service, region)
        self.cloudwatch = client_factory("cloudwatch", region) if kind == "ebs" else self.client
        self.scan = getattr(self, "scan_" + kind)

    # ---- CloudWatch helpers, as the module's client does them ----

    def statistic(self, namespace, metric, dimensions, statistic, period):
        now = datetime.datetime.now(datetime.timezone.utc)
        response = self.cloudwatch.get_metric_statistics(
            Namespace=namespace,
            MetricName=metric,
            Dimensions=dimensions,
            StartTime=now - datetime.timedelta(seconds=max(2 * period, 600)),
            EndTime=now,
            Period=period,
            Statistics=[statistic],
        )
        points = sorted(response["Datapoints"], key=lambda p: p["Timestamp"], reverse=True)
        return points[0].get(statistic) if points else None

    def listed_metrics(self, namespace, dimension_name, dimension_value):
        kept, request = [], {"Namespace": namespace}
        while True:
            response = self.client.list_metrics(**request)
            kept += [
                m
                for m in response["Metrics"]
                if any(d["Name"] == dimension_name and d["Value"] == dimension_value for d in m["Dimensions"])
            ]
            if not response.get("NextToken"):
                return kept
            request["NextToken"] = response["NextToken"]

    @staticmethod
    def target_groups(listed, metric):
        groups = []
        for m in listed:
            if m["MetricName"] == metric:
                for d in m["Dimensions"]:
                    if d["Name"] == "TargetGroup" and d["Value"] not in groups:
                        groups.append(d["Value"])
        return groups

    @staticmethod
    def dimensions(listed, metric, names, target_group=""):
        result = []
        for m in listed:
            if m["MetricName"] != metric:
                continue
            dims = m["Dimensions"]
            other_group = any(d["Name"] == "TargetGroup" and target_group and d["Value"] != target_group for d in dims)
            if not other_group and all(d["Name"] in names for d in dims) and len(dims) >= len(names):
                result += [{"Name": d["Name"], "Value": d["Value"]} for d in dims]
        return result

    def alarms(self, request, with_children):
        found = []
        while True:
            response = self.client.describe_alarms(**request)
            found += [(a, []) for a in response["MetricAlarms"]]
            for alarm in response["CompositeAlarms"]:
                children = []
                if with_children:
                    children = [a for a, _ in self.alarms({"ChildrenOfAlarmName": alarm["AlarmName"]}, False)]
                found.append((alarm, children))
            if not response.get("NextToken"):
                return found
            request["NextToken"] = response["NextToken"]

    def result(self, channels, message="OK"):
        return json.dumps({"type": "sensor_scan_result", "response_code": 0, "response_message": message, "channels": channels})

    # ---- the kinds ----

    def scan_ec2(self):
        dims = [{"Name": "InstanceId", "Value": self.resource["id"]}]
        channels, missing = [], 0
        for index, (metric, statistic, rule) in enumerate(EC2_METRICS, start=1):
            value = self.statistic("AWS/EC2", metric, dims, statistic, self.periods[rule])
            if value is None:
                missing += 1
            elif index >= 10:
                channels.append({"id": index, "integer": 1 if value > 0 else 0})
            elif index >= 8:
                channels.append({"id": index, "float": value / (self.periods["p300"] // 300)})
            elif index <= 3 or value > 0:
                channels.append({"id": index, "float": value})
        if missing == len(EC2_METRICS):
            raise RuntimeError("no datapoints")
        return self.result(channels)

    def scan_ebs(self):
        volume_id = self.resource["id"]
        volumes = self.client.describe_volumes(VolumeIds=[volume_id])["Volumes"]
        if not volumes:
            raise RuntimeError("no volume " + volume_id)
        volume = volumes[0]
        attachments = ", ".join(
            a["InstanceId"] + ":" + a["Device"] + " (" + a["State"] + ")" for a in volume.get("Attachments", [])
        )
        channels = [{"id": 0, "integer": VOLUME_STATES.get(volume["State"], 0)}]
        p60 = self.periods["p60"]
        convert = [
            lambda v: v / p60,
            lambda v: v / p60,
            lambda v: v / p60,
            lambda v: v / p60,
            lambda v: v * 1000,
            lambda v: v * 1000,
            lambda v: v / p60 * 100,
            lambda v: v,
            lambda v: v,
        ]
        dims = [{"Name": "VolumeId", "Value": volume_id}]
        for index, (metric, statistic, rule) in enumerate(EBS_METRICS, start=1):
            value = self.statistic("AWS/EBS", metric, dims, statistic, self.periods[rule])
            if value is not None:
                channels.append({"id": index, "float": convert[index - 1](value)})
        return self.result(channels, attachments or "OK")

    def scan_rds(self):
        listed = self.listed_metrics("AWS/RDS", "DBInstanceIdentifier", self.resource["identifier"])
        channels, missing = [], 0
        for index, (metric, statistic, rule) in enumerate(RDS_METRICS):
            dims = self.dimensions(listed, metric, ["DBInstanceIdentifier"])
            value = self.statistic("AWS/RDS", metric, dims, statistic, self.periods[rule])
            if value is None:
                missing += 1
                continue
            if metric in ("ReadLatency", "WriteLatency", "ReplicaLag"):
                value *= 1000
            elif rule == "p300":
                value /= self.periods["p300"] // 300
            channels.append({"id": index, "float": value})
        if missing == len(RDS_METRICS):
            raise RuntimeError("no datapoints")
        return self.result(channels)

    def scan_elb(self):
        application = self.resource["type"] == "application"
        namespace = "AWS/ApplicationELB" if application else "AWS/NetworkELB"
        metrics = ALB_METRICS if application else NLB_METRICS
        lb = self.resource["id"]
        listed = self.listed_metrics(namespace, "LoadBalancer", lb)
        channels, missing = [], 0
        for index, (metric, statistic, rule) in enumerate(metrics):
            period = self.periods[rule]
            groups = self.target_groups(listed, metric)
            if not groups:
                dims = self.dimensions(listed, metric, ["LoadBalancer"]) or [{"Name": "LoadBalancer", "Value": lb}]
                value = self.statistic(namespace, metric, dims, statistic, period)
            else:
                values = []
                for group in groups:
                    dims = self.dimensions(listed, metric, ["LoadBalancer", "TargetGroup"], group)
                    found = self.statistic(namespace, metric, dims, statistic, period)
                    if found is not None:
                        values.append(found)
                value = sum(values) if values else None
                if value is not None and application and metric == "TargetResponseTime":
                    value /= len(values)
            if value is None:
                missing += 1
            elif application and metric == "TargetResponseTime":
                channels.append({"id": index, "integer": int(value * 1000)})
            else:
                channels.append({"id": index, "float": value})
        if missing == len(metrics):
            raise RuntimeError("no datapoints")
        return self.result(channels)

    def scan_metric_alarm(self):
        request = {"AlarmNames": [self.resource["name"]], "AlarmTypes": ["MetricAlarm", "CompositeAlarm"]}
        alarm, _ = self.alarms(request, False)[0]
        channels = [{"id": 0, "integer": ALARM_STATES.get(alarm["StateValue"], 0)}]
        if alarm.get("Metrics"):
            underlying = [
                (q["MetricStat"]["Metric"], q["MetricStat"]["Period"], q["MetricStat"]["Stat"])
                for q in alarm["Metrics"]
                if "MetricStat" in q and "Expression" not in q and q["MetricStat"]["Metric"].get("MetricName")
            ]
        elif alarm.get("MetricName"):
            underlying = [(alarm, alarm["Period"], alarm["Statistic"])]
        else:
            underlying = []
        for channel, (metric, period, statistic) in enumerate(underlying, start=1):
            value = self.statistic(
                metric["Namespace"], metric["MetricName"], metric.get("Dimensions", []), statistic, period
            )
            if value is not None:
                channels.append({"id": channel, "float": value})
        return self.result(channels)

    def scan_composite_alarm(self):
        request = {"AlarmNames": [self.resource["name"]], "AlarmTypes": ["MetricAlarm", "CompositeAlarm"]}
        alarm, children = self.alarms(request, True)[0]
        channels = [{"id": 0, "integer": ALARM_STATES.get(alarm["StateValue"], 0)}]
        channels += [
            {"id": channel, "integer": ALARM_STATES.get(child["StateValue"], 0)}
            for channel, child in enumerate(children, start=1)
        ]
        return self.result(channels)

    def scan_cost(self):
        today = datetime.datetime.now(datetime.timezone.utc).date()
        next_month = (today.replace(day=28) + datetime.timedelta(days=4)).replace(day=1)
        month_end = (next_month - datetime.timedelta(days=1)).isoformat()
        channels = []
        for channel, start in enumerate([today.replace(day=1), today.replace(month=1, day=1)]):
            response = self.client.get_cost_and_usage(
                TimePeriod={"Start": start.isoformat(), "End": month_end},
                Granularity="MONTHLY",
                Metrics=COST_METRICS,
            )
            total = sum(float(r["Total"]["BlendedCost"]["Amount"]) for r in response["ResultsByTime"])
            for r in response["ResultsByTime"]:
                for metric in COST_METRICS[1:]:
                    float(r["Total"][metric]["Amount"])
            channels.append({"id": channel, "float": total})
        return self.result(channels, "Costs of API calls per sensor scan: $0.02\n")


def count_connections():
    """Counts the TCP connections urllib3 opens from now on."""
    opened = [0]
    create = urllib3.util.connection.create_connection

    def counting(*args, **kwargs):
        opened[0] += 1
        return create(*args, **kwargs)

    urllib3.util.connection.create_connection = counting
    return opened


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--endpoint", required=True)
    parser.add_argument("--kind", required=True, choices=["ec2", "ebs", "rds", "elb", "metric_alarm", "composite_alarm", "cost"])
    parser.add_argument("--resource", default="{}", help="the sensor's resource settings as a JSON object")
    parser.add_argument("--interval", type=int, default=300)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("--scans", type=int, default=100)
    parser.add_argument("--no-verify", action="store_true", help="accept the emulator's self-signed certificate")
    args = parser.parse_args()

    if args.no_verify:
        urllib3.disable_warnings(urllib3.exceptions.InsecureRequestWarning)
    opened = count_connections()
    session = boto3.session.Session()
    config = botocore.config.Config(max_pool_connections=10)

    def client_factory(service, region):
        return session.client(
            service, endpoint_url=args.endpoint, region_name=region, verify=not args.no_verify, config=config
        )

    scanner = Scanner(args.kind, json.loads(args.resource), args.interval, client_factory)
    for _ in range(args.warmup):
        scanner.scan()
    cpu, wall = [], []
    for _ in range(args.scans):
        cpu_start, wall_start = time.thread_time_ns(), time.perf_counter_ns()
        scanner.scan()
        cpu.append((time.thread_time_ns() - cpu_start) / 1000.0)
        wall.append((time.perf_counter_ns() - wall_start) / 1000.0)
    json.dump(
        {
            "kind": args.kind,
            "cpu_us": cpu,
            "wall_us": wall,
            "connections": opened[0],
            "python": sys.version.split()[0],
            "boto3": boto3.__version__,
            "botocore": botocore.__version__,
        },
        sys.stdout,
    )
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()
