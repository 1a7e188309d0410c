#!/usr/bin/python3
"""The user guide's least-privilege IAM policy grants exactly the actions the module calls: the probe's
full demo runs against the emulator, and the operations in the emulator's request log, as IAM actions,
must equal the policy's.

Run: iam_policy_test.py --source DIR --probe PATH --emulator PATH
"""
import json
import re
import unittest

import probe_support
from probe_support import Emulator, run_probe

# The emulator logs the signing name of each request's service; IAM names CloudWatch differently.
IAM_PREFIX = {"ec2": "ec2", "monitoring": "cloudwatch", "elasticloadbalancing": "elasticloadbalancing",
              "rds": "rds", "ce": "ce"}


def policy_of_the_guide():
    guide = (probe_support.ARGS.source / "docs/user-guide.md").read_text()
    section = guide.split("## Least-privilege IAM policy", 1)[1].split("\n## ", 1)[0]
    blocks = re.findall(r"```json\n(.*?)```", section, re.S)
    if len(blocks) != 1:
        raise AssertionError("the IAM policy section must hold exactly one JSON block, not %d" % len(blocks))
    return json.loads(blocks[0])


class IamPolicy(unittest.TestCase):
    def test_grants_exactly_what_a_full_demo_run_sends(self):
        policy = policy_of_the_guide()
        self.assertEqual(policy["Version"], "2012-10-17")
        self.assertEqual(len(policy["Statement"]), 1)
        statement = policy["Statement"][0]
        self.assertEqual(statement["Effect"], "Allow")
        self.assertEqual(statement["Resource"], "*")
        granted = statement["Action"]
        self.assertEqual(len(granted), len(set(granted)), "an action is listed twice")

        emulator = Emulator()
        try:
            demo = run_probe("demo", emulator=emulator)
            self.assertEqual(demo.returncode, 0, demo.stdout + demo.stderr)
            log = emulator.admin("GET", "/_emulator/requests")["requests"]
        finally:
            self.assertEqual(emulator.stop(), 0)
        sent = {IAM_PREFIX[r["service"]] + ":" + r["operation"] for r in log}
        self.assertNotIn("", {r["operation"] for r in log}, "the demo sent a request the emulator could not route")
        self.assertEqual(set(granted), sent)


if __name__ == "__main__":
    probe_support.main()
