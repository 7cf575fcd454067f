"""A real SMTP server on loopback for the feedback mail's tests.

It offers AUTH LOGIN on a plain connection, accepts any account, and keeps
what it saw in OUTPUT_FOLDER: "login" (mechanism, account and password on
three lines), "envelope" (sender and recipients on lines), "mail" (the
message as it arrived, dots taken off) and "body" (its body as a mail reader
decodes it, by the message's Content-Transfer-Encoding).

Usage: /usr/bin/python3 smtp_peer.py OUTPUT_FOLDER [PORT]
Listens on PORT, or on a free port; prints "port N" once it listens, or "error: ..." when it cannot start; stops
when its standard input closes.
"""

import email
import email.policy
import os
import socket
import sys
import warnings

try:
    from aiosmtpd.controller import Controller
    from aiosmtpd.smtp import AuthResult
except ImportError as problem:
    print(f"error: no aiosmtpd ({problem}); scripts/setup.sh installs python3-aiosmtpd",
          flush=True)
    sys.exit(1)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Recorder:
    def __init__(self, folder):
        self.folder = folder

    def write(self, name, data):
        with open(os.path.join(self.folder, name), "wb") as out:
            out.write(data)

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        self.write("login", b"\n".join([mechanism.encode(), auth_data.login,
                                        auth_data.password]) + b"\n")
        return AuthResult(success=True)

    async def handle_DATA(self, server, session, envelope):
        lines = [envelope.mail_from] + envelope.rcpt_tos
        self.write("envelope", "".join(line + "\n" for line in lines).encode("latin-1"))
        self.write("mail", envelope.content)
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        self.write("body", message.get_payload(decode=True))
        return "250 2.0.0 Message accepted"


def main():
    # The server's own notice about a name it will drop; nothing of ours.
    warnings.filterwarnings("ignore", message="Session.login_data")
    recorder = Recorder(sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) > 2 else free_port()
    controller = Controller(recorder, hostname="127.0.0.1", port=port,
                            authenticator=recorder.authenticate, auth_require_tls=False)
    try:
        controller.start()
    except (OSError, RuntimeError) as problem:
        print(f"error: cannot listen on port {port} ({problem})", flush=True)
        sys.exit(1)
    print(f"port {port}", flush=True)
    sys.stdin.read()
    controller.stop()


main()
