#!/usr/bin/python3
"""Signs requests with botocore's SigV4Auth; one JSON request per input line, one Authorization per output line."""
import datetime
import json
import sys
from unittest import mock

from botocore.auth import SigV4Auth
from botocore.awsrequest import AWSRequest
from botocore.credentials import Credentials


def sign(case):
    request = AWSRequest(method=case["method"], url=case["url"], headers=case["headers"],
                         data=case["body"].encode("utf-8"))
    auth = SigV4Auth(Credentials(case["access_key"], case["secret_key"], case.get("token")),
                     case["service"], case["region"])
    when = datetime.datetime.strptime(case["date"], "%Y%m%dT%H%M%SZ")
    with mock.patch("botocore.auth.datetime") as clock:
        clock.datetime.utcnow.return_value = when
        clock.datetime.strptime = datetime.datetime.strptime
        auth.add_auth(request)
    return request.headers["Authorization"]


for line in sys.stdin:
    if line.strip():
        print(sign(json.loads(line)))
