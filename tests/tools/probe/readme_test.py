#!/usr/bin/python3
"""The README's example commands, run as written against the demo account, so that the README cannot rot.

Every fenced block right after a `<!-- example ... -->` comment is run command by command, from the
source folder, in one shell session: what a command exports, the next one sees. The first block is
the one line that starts the emulator. A command passes when it exits with the status its trailing
comment names ("# exits 1: ..."), 0 when it names none; a failing one must also say why on the error
stream. Paths under build/release/ are taken from the build under test.

Run: readme_test.py --source DIR --probe PATH --emulator PATH
"""
import os
import pathlib
import re
import signal
import subprocess
import tempfile
import unittest

import probe_support

EXAMPLE = re.compile(r"<!-- example[^>]*-->\n```sh\n(.*?)```", re.S)
EXPECTED_EXIT = re.compile(r"#\s*exits (\d+)")


def example_commands(readme):
    """Each command of the marked blocks, continuation lines joined, with its expected exit status."""
    commands = []
    for block in EXAMPLE.findall(readme):
        for command in re.sub(r"\\\n\s*", "", block).splitlines():
            if not command.strip() or command.lstrip().startswith("#"):
                continue
            expected = EXPECTED_EXIT.search(command)
            commands.append((command, int(expected.group(1)) if expected else 0))
    return commands


class ReadmeExamples(unittest.TestCase):
    def test_every_example_command_runs_as_written(self):
        source = probe_support.ARGS.source
        build = pathlib.Path(probe_support.ARGS.probe).resolve().parents[2]
        commands = example_commands((source / "README.md").read_text())
        self.assertGreaterEqual(len(commands), 10, "the README's example markers are gone")
        self.assertIn("demo-emulator.sh", commands[0][0], "the first example starts the emulator")

        env = {k: v for k, v in os.environ.items() if not k.startswith(("AWS_", "VEXA_"))}
        env["VEXA_BUILD_DIR"] = str(build)
        with tempfile.TemporaryDirectory() as scratch:
            state = pathlib.Path(scratch) / "env"
            try:
                for command, expected in commands:
                    with self.subTest(command=command):
                        runnable = command.replace("build/release/", str(build) + "/")
                        # The shell's environment after each command carries over to the next.
                        script = '%s\nstatus=$?\nenv -0 > "%s"\nexit $status' % (runnable, state)
                        done = subprocess.run(["bash", "-c", script], cwd=source, env=env, capture_output=True,
                                              text=True, check=False)
                        env = dict(item.split("=", 1) for item in state.read_text().split("\0") if "=" in item)
                        self.assertEqual(done.returncode, expected, done.stdout + done.stderr)
                        if expected != 0:
                            self.assertRegex(done.stderr, r"probe: \S", "a failure must say why")
                        else:
                            self.assertNotRegex(done.stderr, r"probe: \S", done.stderr)
            finally:
                pid = env.get("VEXA_EMULATOR_PID")
                if pid:
                    try:
                        os.kill(int(pid), signal.SIGTERM)
                    except ProcessLookupError:
                        pass


if __name__ == "__main__":
    probe_support.main()
