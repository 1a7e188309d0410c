"""What the probe's Python tests share: their arguments, the emulator executable with the demo account,
and running the probe binary as an operator would."""
import argparse
import json
import os
import pathlib
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from emulator_process import EmulatorProcess  # noqa: E402 (found through the path above)

ARGS = None


def parse_arguments():
    """Reads --source, --probe and --emulator, and leaves the rest to unittest."""
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True, type=pathlib.Path)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--emulator", required=True)
    ARGS, rest = parser.parse_known_args()
    return [sys.argv[0], *rest]


def scenario():
    return ARGS.source / "tools/aws-emulator/scenarios/demo.json"


def demo_credentials():
    """The demo account's access key and secret key, as the scenario gives them."""
    account = json.loads(scenario().read_text())["accounts"][0]
    credentials = account["credentials"][0]
    return credentials["access_key"], credentials["secret_key"]


class Emulator(EmulatorProcess):
    """The executable under test with the demo account."""

    def __init__(self):
        super().__init__(ARGS.emulator, scenario())

    def reset(self):
        self.admin("POST", "/_emulator/reset", {})


def probe_environment(emulator=None):
    """The environment of a shell with the demo account's credentials, pointed at the emulator."""
    key, secret = demo_credentials()
    env = {k: v for k, v in os.environ.items() if not k.startswith(("AWS_", "VEXA_"))}
    env.update(AWS_ACCESS_KEY_ID=key, AWS_SECRET_ACCESS_KEY=secret)
    if emulator is not None:
        env["AWS_ENDPOINT_URL"] = emulator.url
    return env


def run_probe(*args, emulator=None, env=None):
    """The probe with these arguments; its exit status, standard output and error stream."""
    return subprocess.run([ARGS.probe, *args], env=env or probe_environment(emulator), capture_output=True,
                          text=True, check=False)


def main():
    argv = parse_arguments()
    unittest.main(argv=argv, verbosity=2)
