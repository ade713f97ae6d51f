"""A DNS server for the MX walk tests, built with dnslib: listens on a free
UDP port of 127.0.0.1, prints the port, answers the questions it is given
and refers every other question to a name server.
Options: --answer TYPE NAME VALUE (NS or MX records, repeatable);
--refer SERVER (the name server named in the authority section of every
reply without an answer; without it such replies are empty)."""
import argparse
import socket

from dnslib import DNSHeader, DNSQuestion, DNSRecord, MX, NS, QTYPE, RR

parser = argparse.ArgumentParser()
parser.add_argument("--answer", nargs=3, action="append", default=[])
parser.add_argument("--refer")
options = parser.parse_args()


def reply_to(request):
    qname = str(request.q.qname).rstrip(".").lower()
    qtype = QTYPE[request.q.qtype]
    reply = DNSRecord(DNSHeader(id=request.header.id, qr=1, rd=1), q=DNSQuestion(request.q.qname, request.q.qtype))
    answered = False
    for kind, name, value in options.answer:
        if kind == qtype and name.lower() == qname:
            rdata = MX(value, 10) if kind == "MX" else NS(value)
            reply.add_answer(RR(request.q.qname, request.q.qtype, rdata=rdata, ttl=60))
            answered = True
    if not answered and options.refer:
        zone = ".".join(qname.split(".")[-1:])
        reply.add_auth(RR(zone, QTYPE.NS, rdata=NS(options.refer), ttl=60))
    return reply.pack()


server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind(("127.0.0.1", 0))
print(server.getsockname()[1], flush=True)
while True:
    data, peer = server.recvfrom(4096)
    try:
        server.sendto(reply_to(DNSRecord.parse(data)), peer)
    except Exception:
        pass
