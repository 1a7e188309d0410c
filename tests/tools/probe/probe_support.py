"""What the probe's Python tests share: their arguments, the emulator executable with the demo account,
and running the probe binary as an operator would."""
import argparse
import json
import os
import pathlib
import signal
import subprocess
import sys
import unittest
import urllib.request

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


class Emulator:
    """The emulator executable with the demo account on a free port."""

    def __init__(self):
        self.proc = subprocess.Popen([ARGS.emulator, "--scenario", str(scenario())], stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True)
        self.url = self.proc.stdout.readline().strip()
        if not self.url:
            raise RuntimeError("emulator did not start: " + self.proc.stderr.read())

    def stop(self):
        self.proc.send_signal(signal.SIGTERM)
        code = self.proc.wait()
        self.proc.stdout.close()
        self.proc.stderr.close()
        return code

    def admin(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.url + path, data=data, method=method)
        with urllib.request.urlopen(request) as response:
            return json.loads(response.read())

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
