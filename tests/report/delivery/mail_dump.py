"""Reads a stored mail with Python's email package (an independent MIME
reader) and prints what it found, one fact per line, texts in hexadecimal:
  subject HEX / from HEX / to HEX / date HEX      decoded header values
  text HEX                                        the text part, transfer encoding
                                                  undone, line ends as LF
  attachment NAMEHEX TYPEHEX BYTESHEX             each attachment, decoded
  defect TEXT                                     anything the parser complained of"""
import email
import email.policy
import sys


def hexed(value):
    if isinstance(value, str):
        value = value.encode("latin-1")
    return value.hex() or "-"


with open(sys.argv[1], "rb") as f:
    message = email.message_from_binary_file(f, policy=email.policy.default)

for name in ("subject", "from", "to", "date"):
    print(name, hexed(str(message[name] or "")))
for part in message.walk():
    for defect in part.defects:
        print("defect", type(defect).__name__)
    if part.is_multipart():
        continue
    if part.get_content_disposition() == "attachment":
        print("attachment", hexed(part.get_filename()), hexed(part.get_content_type()),
              hexed(part.get_payload(decode=True)))
    else:
        text = part.get_payload(decode=True).replace(b"\r\n", b"\n")
        print("text", hexed(text))
