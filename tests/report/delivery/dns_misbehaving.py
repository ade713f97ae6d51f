"""A DNS server for the MX lookup tests, built with dnslib: listens on a free
UDP port of 127.0.0.1, prints the port, and answers every query in MODE:
  spoofed-id        first a reply naming evil.test with another ID, then
                    the true reply naming mx.good.test
  spoofed-question  the same, the false reply answering another question
  not-response      the same, the false reply without the response flag
  loop              an answer whose name is a pointer to itself
  forward           an answer whose name points forward in the message
  truncated         the true reply with its last record cut short
  silent            no reply at all"""
import socket
import struct
import sys

from dnslib import DNSHeader, DNSQuestion, DNSRecord, MX, QTYPE, RR

MODE = sys.argv[1]
TRUE_EXCHANGER = "mx.good.test"


def reply_to(request, qname, exchanger):
    reply = DNSRecord(DNSHeader(id=request.header.id, qr=1, aa=1, ra=1, rd=1),
                      q=DNSQuestion(qname, request.q.qtype))
    if request.q.qtype == QTYPE.MX:
        reply.add_answer(RR(qname, QTYPE.MX, rdata=MX(exchanger, 10), ttl=60))
    return reply.pack()


def question_bytes(request):
    """The question as it appears in the query: after the 12-byte header, up
    to the first resource record (there is none in a query)."""
    return request.pack()[12:]


def record_with_name(request, name_bytes):
    """Header, the question as asked, and one MX record whose owner name is
    the given bytes; the exchanger is a pointer to the question's name."""
    question = question_bytes(request)
    header = struct.pack(">HHHHHH", request.header.id, 0x8180, 1, 1, 0, 0)
    rdata = struct.pack(">H", 10) + b"\xc0\x0c"
    record = name_bytes + struct.pack(">HHIH", QTYPE.MX, 1, 60, len(rdata)) + rdata
    return header + question + record


def replies(request):
    qname = str(request.q.qname)
    if MODE == "silent":
        return []
    if MODE in ("spoofed-id", "spoofed-question", "not-response"):
        false = bytearray(reply_to(request, qname, "evil.test"))
        if MODE == "spoofed-id":
            false[0:2] = struct.pack(">H", request.header.id ^ 0x5A5A)
        elif MODE == "spoofed-question":
            false = bytearray(reply_to(request, "other." + qname, "evil.test"))
        else:
            false[2] &= 0x7F  # the response flag cleared
        return [bytes(false), reply_to(request, qname, TRUE_EXCHANGER)]
    if MODE == "loop":
        offset = 12 + len(question_bytes(request))
        return [record_with_name(request, struct.pack(">H", 0xC000 | offset))]
    if MODE == "forward":
        offset = 12 + len(question_bytes(request))
        return [record_with_name(request, struct.pack(">H", 0xC000 | (offset + 40)))]
    if MODE == "truncated":
        return [reply_to(request, qname, TRUE_EXCHANGER)[:-5]]
    raise SystemExit("unknown mode " + MODE)


sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
sock.bind(("127.0.0.1", 0))
print(sock.getsockname()[1], flush=True)
while True:
    data, client = sock.recvfrom(4096)
    try:
        request = DNSRecord.parse(data)
    except Exception:
        continue
    for datagram in replies(request):
        sock.sendto(datagram, client)
