"""Runs a Windows test program with the real servers it talks to: the
aiosmtpd server of smtp_peer.py, the HTTP server of http_peer.py (answering
200) and dnsmasq with a few MX records, all on the loopback. The program
learns their ports, the mail store and the HTTP server's report file from
its environment (QUOR_SMTP_PORT, QUOR_SMTP_STORE, QUOR_HTTP_PORT,
QUOR_HTTP_REPORT, QUOR_DNS_ADDRESS, QUOR_DNS_PORT). Two SMTP servers of
smtp_misbehaving.py fail a send on purpose: one refuses every recipient
(QUOR_SMTP_REFUSING_PORT), one drops the connection during DATA
(QUOR_SMTP_DROPPING_PORT).
Usage: with_peers.py DNSMASQ COMMAND..."""
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DNS_ADDRESS = "127.0.0.2"


def free_udp_port(address):
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.bind((address, 0))
        return s.getsockname()[1]


def dns_answers(address, port):
    query = struct.pack(">HHHHHH", 7, 0x0100, 1, 0, 0, 0) + b"\x05plain\x04test\x00" + struct.pack(">HH", 1, 1)
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.settimeout(0.1)
        try:
            s.sendto(query, (address, port))
            return len(s.recv(512)) > 0
        except OSError:
            return False


def main():
    dnsmasq, command = sys.argv[1], sys.argv[2:]
    store = tempfile.mkdtemp(prefix="quor-smtp-")
    smtp = subprocess.Popen([sys.executable, os.path.join(HERE, "smtp_peer.py"), "--store", store],
                            stdout=subprocess.PIPE, text=True)
    refusing, dropping = (subprocess.Popen([sys.executable, os.path.join(HERE, "smtp_misbehaving.py"), mode],
                                           stdout=subprocess.PIPE, text=True) for mode in ("refuse-rcpt", "drop"))
    http_report = os.path.join(store, "http-report.txt")
    http = subprocess.Popen([sys.executable, os.path.join(HERE, "http_peer.py"), http_report, "200"],
                            stdout=subprocess.PIPE, text=True)
    dns_port = free_udp_port(DNS_ADDRESS)
    dns = subprocess.Popen([dnsmasq, "--keep-in-foreground", "--conf-file=/dev/null", "--no-resolv", "--no-hosts",
                            "--bind-interfaces", "--listen-address=" + DNS_ADDRESS, "--port=%d" % dns_port,
                            "--pid-file=", "--mx-host=multi.test,mx2.multi.test,20",
                            "--mx-host=multi.test,mx1.multi.test,10", "--host-record=plain.test,10.0.0.7",
                            "--local=/test/"])
    try:
        smtp_port = smtp.stdout.readline().strip()
        http_port = http.stdout.readline().strip()
        refusing_port = refusing.stdout.readline().strip()
        dropping_port = dropping.stdout.readline().strip()
        for _ in range(100):
            if dns_answers(DNS_ADDRESS, dns_port):
                break
            time.sleep(0.05)
        env = dict(os.environ, QUOR_SMTP_PORT=smtp_port, QUOR_SMTP_STORE=store, QUOR_HTTP_PORT=http_port,
                   QUOR_HTTP_REPORT=http_report, QUOR_DNS_ADDRESS=DNS_ADDRESS, QUOR_DNS_PORT=str(dns_port),
                   QUOR_SMTP_REFUSING_PORT=refusing_port, QUOR_SMTP_DROPPING_PORT=dropping_port)
        return subprocess.call(command, env=env)
    finally:
        for peer in (smtp, http, dns, refusing, dropping):
            peer.terminate()
            try:
                peer.wait(3)
            except subprocess.TimeoutExpired:
                peer.kill()
        shutil.rmtree(store, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
