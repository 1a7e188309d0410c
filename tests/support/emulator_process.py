"""The aws-emulator executable, for the Python tests: started on a free port with a scenario, reached
over its admin endpoints, stopped with SIGTERM."""
import json
import signal
import subprocess
import urllib.request


class EmulatorProcess:
    """The executable on a free port; the first line it prints is the base URL."""

    def __init__(self, executable, scenario, *extra):
        self.proc = subprocess.Popen([executable, "--scenario", str(scenario), *extra],
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.url = self.proc.stdout.readline().strip()
        if not self.url:
            raise RuntimeError("emulator did not start: " + self.proc.stderr.read())

    def stop(self):
        self.proc.send_signal(signal.SIGTERM)
        code = self.proc.wait(timeout=30)
        self.proc.stdout.close()
        self.proc.stderr.close()
        return code

    def admin(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        req = urllib.request.Request(self.url + path, data=data, method=method)
        with urllib.request.urlopen(req) as resp:
            return json.loads(resp.read())
