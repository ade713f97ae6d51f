"""Decodes a mailto link with Python's urllib.parse and prints the recipients,
the subject and the body as ISO-8859-1 bytes in hexadecimal, one per line
("-" for none)."""
import sys
import urllib.parse

link = sys.argv[1]
to, query = link[len("mailto:"):].split("?", 1)
parts = dict(part.split("=", 1) for part in query.split("&"))
for text in (urllib.parse.unquote(to), urllib.parse.unquote(parts["subject"], "latin-1"),
             urllib.parse.unquote(parts["body"], "latin-1")):
    print(text.encode("latin-1").hex() or "-")
