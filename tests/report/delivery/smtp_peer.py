"""A real SMTP server for the delivery tests (aiosmtpd): listens on a free
port of 127.0.0.1, prints the port, and stores every accepted mail as
<store>/<n>.eml with its envelope in <store>/<n>.envelope ("from" and one
"to" line per recipient).

Options: --store DIR; --auth USER:PASSWORD requires authentication with
these (without it the server offers no AUTH at all); --no-login offers AUTH
PLAIN only; --refuse-ehlo answers EHLO with 502 (the client must fall back
to HELO)."""
import argparse
import asyncio
import itertools
import logging
import os
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult

parser = argparse.ArgumentParser()
parser.add_argument("--store", required=True)
parser.add_argument("--auth")
parser.add_argument("--no-login", action="store_true")
parser.add_argument("--refuse-ehlo", action="store_true")
options = parser.parse_args()
# Authentication without TLS is what these tests want: no warnings about it.
warnings.simplefilter("ignore")
logging.getLogger("mail.log").setLevel(logging.ERROR)
counter = itertools.count(1)


class StoringHandler:
    async def handle_DATA(self, server, session, envelope):
        n = next(counter)
        base = os.path.join(options.store, str(n))
        with open(base + ".eml.part", "wb") as mail:
            mail.write(envelope.original_content)
        with open(base + ".envelope", "w") as lines:
            lines.write("from " + envelope.mail_from + "\n")
            for rcpt in envelope.rcpt_tos:
                lines.write("to " + rcpt + "\n")
            lines.write("helo " + (session.host_name or "") + "\n")
        os.rename(base + ".eml.part", base + ".eml")  # complete before it is seen
        return "250 OK stored"


def authenticate(server, session, envelope, mechanism, auth_data):
    user, password = options.auth.split(":", 1)
    ok = mechanism == "LOGIN" and auth_data.login == user.encode() and auth_data.password == password.encode()
    return AuthResult(success=ok, handled=False)  # a failure is answered with 535


class Server(SMTP):
    async def smtp_EHLO(self, hostname):
        if options.refuse_ehlo:
            await self.push("502 5.5.1 EHLO not implemented")
            return
        await super().smtp_EHLO(hostname)


def make_protocol():
    # Without --auth, requiring TLS (which is never started) hides AUTH.
    return Server(StoringHandler(), decode_data=False, auth_require_tls=not options.auth,
                  authenticator=authenticate if options.auth else None,
                  auth_required=bool(options.auth), data_size_limit=None,
                  auth_exclude_mechanism=["LOGIN"] if options.no_login else None)


async def main():
    server = await asyncio.get_running_loop().create_server(make_protocol, "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


try:
    asyncio.run(main())
except KeyboardInterrupt:
    sys.exit(0)
