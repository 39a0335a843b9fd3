"""A local FTP server for the upload tests.

Usage: ftpserver.py ROOT USER PASSWORD [START]
Serves ROOT to USER on 127.0.0.1 at a free port and prints that port on
stdout once it is listening. Sessions begin in START, a folder below ROOT
("/" by default). Only passive mode is served: PORT and EPRT are refused,
so an upload that succeeds shows the client used passive mode. The user
"broken" (same password) has every upload cut off after its first chunk, as
a broken connection would. The user "slow" (same password) has uploads
read at 16 KB per second, so a test can cancel one while it runs.
"""
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

BROKEN_USER = "broken"
SLOW_USER = "slow"
SLOW_BYTES_PER_SECOND = 16 * 1024


class TestDTPHandler(ThrottledDTPHandler):
    def __init__(self, sock, cmd_channel):
        if cmd_channel.username == SLOW_USER:
            self.read_limit = SLOW_BYTES_PER_SECOND
        super().__init__(sock, cmd_channel)

    def handle_read(self):
        super().handle_read()
        if (self.cmd_channel.username == BROKEN_USER and self.tot_bytes_received > 0
                and not self._closed):
            self._resp = ("426 Connection closed; transfer aborted.", logging.info)
            self.close()

    handle_read_event = handle_read


class PassiveOnlyHandler(FTPHandler):
    dtp_handler = TestDTPHandler
    start_folder = "/"

    def on_login(self, username):
        self.fs._cwd = self.start_folder

    def ftp_PORT(self, line):
        self.respond("502 Active mode refused; use PASV or EPSV.")

    def ftp_EPRT(self, line):
        self.respond("502 Active mode refused; use PASV or EPSV.")


def main():
    root, user, password = sys.argv[1:4]
    logging.basicConfig(level=logging.WARNING, stream=sys.stderr)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw")
    authorizer.add_user(BROKEN_USER, password, root, perm="elradfmw")
    authorizer.add_user(SLOW_USER, password, root, perm="elradfmw")
    handler = type("Handler", (PassiveOnlyHandler,), {
        "authorizer": authorizer,
        "start_folder": sys.argv[4] if len(sys.argv) > 4 else "/",
    })
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
