"""Sends one signed request through the Linux transport (libcurl's connection) and WinHTTP (Wine) to a
loopback listener that keeps the raw bytes, and shows that they are the same apart from the headers
each stack adds.

    wire_compare.py LINUX_WIRE_SEND WINDOWS_RUNNER WINDOWS_WIRE_SEND
"""
import os
import socket
import subprocess
import sys
import tempfile
import threading

# Added by the HTTP stack itself, never by the SDK (docs/awssdk.md lists them).
STACK_HEADERS = {
    "libcurl": {"accept"},
    "WinHTTP": {"connection"},
}
ANSWER = b"HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 26\r\nConnection: close\r\n\r\n" \
         b"<DescribeVolumesResponse/>"


def read_request(connection):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = connection.recv(65536)
        if not chunk:
            return data
        data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip())
    while len(body) < length:
        chunk = connection.recv(65536)
        if not chunk:
            break
        body += chunk
    return head + b"\r\n\r\n" + body


def serve(listener, received):
    while True:
        try:
            connection, _ = listener.accept()
        except OSError:
            return
        with connection:
            received.append(read_request(connection))
            connection.sendall(ANSWER)


def split(raw):
    """Request line, headers (names lower-cased, Host first) and body. Through a proxy libcurl writes
    the Host header the SDK gives it as the first line, as "Host"; elsewhere it stays where the SDK
    put it."""
    head, _, body = raw.partition(b"\r\n\r\n")
    lines = head.decode("latin-1").split("\r\n")
    headers = [(name.strip().lower(), value.strip()) for name, _, value in (line.partition(":") for line in lines[1:])]
    headers.sort(key=lambda header: header[0] != "host")
    return lines[0], headers, body


def main(linux_send, windows_runner, windows_send):
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(4)
    url = "http://127.0.0.1:%d" % listener.getsockname()[1]
    received = []
    threading.Thread(target=serve, args=(listener, received), daemon=True).start()

    with tempfile.TemporaryDirectory() as work:
        request_file = os.path.join(work, "request.json")
        environment = dict(os.environ, AWS_ENDPOINT_URL=url, AWS_DEFAULT_REGION="us-east-1")
        subprocess.run([linux_send, "capture", request_file], check=True, env=environment)
        for command in ([linux_send, "send", request_file], [windows_runner, windows_send, "send", request_file]):
            subprocess.run(command, check=True, env=environment, stdout=subprocess.DEVNULL)
    listener.close()
    assert len(received) == 2, "expected one request from each stack, got %d" % len(received)

    kept = {}
    for stack, raw in zip(STACK_HEADERS, received):
        line, headers, body = split(raw)
        added = ["%s: %s" % header for header in headers if header[0] in STACK_HEADERS[stack]]
        print("%s added: %s" % (stack, ", ".join(added) or "nothing"))
        kept[stack] = (line, [header for header in headers if header[0] not in STACK_HEADERS[stack]], body)
    (curl_line, curl_headers, curl_body), (win_line, win_headers, win_body) = kept.values()
    problems = []
    if curl_line != win_line:
        problems.append("request lines differ: %r / %r" % (curl_line, win_line))
    if curl_body != win_body:
        problems.append("bodies differ")
    if curl_headers != win_headers:
        problems.append("headers differ:\n  libcurl %r\n  WinHTTP %r" % (curl_headers, win_headers))
    if problems:
        print("\n".join(problems))
        return 1
    print("same request line, the same %d headers (in the same order after Host) and the same %d-byte body"
          % (len(curl_headers), len(curl_body)))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
