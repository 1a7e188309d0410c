"""Loads the module the way a host written in another language would and checks its binary interface."""
import ctypes
import json
import subprocess
import sys

EXPORTS = {"InitializeModule", "GetModuleInformation", "GetApiLevel", "CreateSensorInstance",
           "DestroySensorInstance", "ExecuteSensorScan", "ExecuteCheck", "ExecuteMetaScan", "CleanupModule"}


def defined_dynamic_symbols(path):
    out = subprocess.run(["nm", "-D", "--defined-only", path], check=True, capture_output=True, text=True).stdout
    return {line.split()[-1] for line in out.splitlines() if line.strip()}


def main(path):
    symbols = defined_dynamic_symbols(path)
    assert symbols == EXPORTS, f"unexpected exports: {sorted(symbols ^ EXPORTS)}"

    lib = ctypes.CDLL(path)
    callback_type = ctypes.CFUNCTYPE(None, ctypes.c_uint64, ctypes.POINTER(ctypes.c_uint8), ctypes.c_uint32)
    lib.InitializeModule.argtypes = [ctypes.c_uint64, callback_type]
    lib.GetModuleInformation.argtypes = [ctypes.c_bool]
    lib.GetModuleInformation.restype = None
    lib.CreateSensorInstance.argtypes = [ctypes.c_int32, ctypes.c_char_p, ctypes.c_uint32]
    lib.ExecuteCheck.argtypes = [ctypes.c_int32, ctypes.c_char_p, ctypes.c_uint32]
    lib.ExecuteMetaScan.argtypes = [ctypes.c_int32, ctypes.c_uint32, ctypes.c_char_p, ctypes.c_uint32]

    received = []

    @callback_type
    def on_message(handle, buffer, length):
        received.append((handle, json.loads(ctypes.string_at(buffer, length).decode("utf-8"))))

    settings = b'{"kind": "ec2_sensor", "settings": {}}'
    assert lib.GetApiLevel() == 6
    assert lib.CreateSensorInstance(1, settings, len(settings)) == 3
    assert lib.DestroySensorInstance(1) == 3
    assert lib.ExecuteSensorScan(1) == 3
    assert lib.ExecuteCheck(1, settings, len(settings)) == 3
    assert lib.ExecuteMetaScan(1, 1, settings, len(settings)) == 3

    assert lib.InitializeModule(77, on_message) == 0
    assert lib.InitializeModule(78, on_message) == 1
    lib.GetModuleInformation(False)
    assert len(received) == 1, received
    handle, message = received[0]
    assert handle == 77 and message["type"] == "module_information" and message["loadLanguages"] is False
    json.loads(message["document"])
    assert lib.GetApiLevel() == 6
    assert lib.CleanupModule() == 0
    assert lib.CleanupModule() == 0
    assert lib.ExecuteSensorScan(1) == 3
    print("ok: nine exports, codes and messages as documented")


if __name__ == "__main__":
    main(sys.argv[1])
