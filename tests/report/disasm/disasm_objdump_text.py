#!/usr/bin/env python3
"""Compares the decoder with objdump instruction by instruction.

For every instruction start that objdump finds in a linear sweep of i686
code, `disasm --linear` must agree on validity, length, mnemonic and
operands. The code: the .text section of a linked image (the program), or the
.text sections of the objects in the mingw runtime archives.

Usage: disasm_objdump_text.py DISASM WORKDIR [IMAGE]
Exit 77 when objdump or the cross tools are missing.

Our text and objdump's Intel syntax differ on purpose in these points, which
the comparison normalises before it compares:
- numbers: ours are decimal up to 9 and "$" hex above, negative displacements
  and sign-extended byte immediates with "-"; objdump writes 0x hex and the
  immediate as an unsigned value. Both are compared as 32-bit values.
- relative targets: ours "rel (target)", objdump's the target alone.
- memory sizes: we write "byte/word/dword/qword/tbyte/oword ptr" only where no
  register operand of the same size implies it; objdump always writes it
  (XMMWORD for oword, FWORD for far pointers). Where we leave it out, objdump's
  size must be the size of one of our register operands.
- addressing: objdump writes "*1" scales, "eiz" for a SIB byte without index,
  a zero displacement as "+0x0" and "ds:" in front of a plain address; we
  leave them out. A plain address is "[n]" with us, "ds:n" with objdump.
- condition codes: ours "nb", "z", "nz" (in j, set, cmov), objdump's "ae",
  "e", "ne"; loopz/loopnz are objdump's loope/loopne.
- names of the operand-size forms: pushad, popad, pushfd, popfd, iretd are
  objdump's pusha, popa, pushf, popf, iret; "call far"/"jmp far" through memory
  are objdump's call/jmp with an FWORD operand; 0x66 0x90 is nop with us,
  objdump's "xchg ax,ax".
- string instructions: ours carry the size in the name without operands
  (movsb, stosd), objdump's name the size in the operands (movs BYTE PTR
  es:[edi],BYTE PTR ds:[esi]); xlat has no operand with us.
- 16-bit operations: a sign-extended byte immediate is negative with us,
  objdump's 16-bit value (cmp ax,0xffff).
- x87: we write st(0) as "st"; a wait (0x9B) before an x87 instruction is an
  instruction of its own with us, objdump folds it into the next one
  (fstcw = wait + fnstcw); our lone wait is objdump's fwait.
- prefixes: "repz"/"repnz" are our "rep"/"repne"; objdump's "bnd" before a
  jump, call or return is our "repne". objdump names a size or segment
  prefix that changes nothing ("data16", "addr16", "ss"; of two segment
  prefixes the last counts, objdump names the first); we leave it out.
- the shift group's /6 is "sal" with us, "shl" with objdump.
- the hint space 0x0F 0x19-0x1F is "nop" with us; objdump names the MPX and
  cache-hint forms there (bndmk, bndstx, cldemote, endbr32, ...).
- memory operand sizes: far pointers 16:32 (les, call far) have no size name
  with us, objdump's FWORD; 32-byte operands are "yword" with us, objdump's
  YMMWORD.
- compare predicates: ours the immediate as an operand (cmpps xmm0, xmm1, 5;
  vcmpps xmm0, xmm0, xmm1, 5), objdump's folded into the name (cmpnltps) for
  the predicates it names.
- EVEX (0x62 with a register-form next byte) stays invalid with us: bound
  cannot take a register operand, and 32-bit code for the program's targets
  has no AVX-512. It is compared as any other undecodable byte.
Left out of the comparison, and counted apart:
- encodings we reject by rule where objdump decodes something: a VEX prefix
  after 0x66, 0xF2, 0xF3 or lock (undefined by the manuals; objdump names the
  prefix and decodes the VEX instruction), mov to or from
  segment register 6 or 7, the reserved prefetch hints 0x0F 0x18 /4-/7,
  mov to or from a test register (0x0F 0x24, 0x0F 0x26: 386 and 486 only,
  undefined on every later processor).
- after an undecodable byte objdump goes on behind all bytes it took, we at
  the next byte: the few instructions before both sweeps meet again.
"""
import os
import re
import shutil
import subprocess
import sys
import glob
import struct

MASK = 0xFFFFFFFF

REG_SIZE = {}
for names, size in ((("al", "cl", "dl", "bl", "ah", "ch", "dh", "bh"), 1),
                    (("ax", "cx", "dx", "bx", "sp", "bp", "si", "di", "es", "cs", "ss", "ds", "fs", "gs"), 2),
                    (("eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi"), 4)):
    for n in names:
        REG_SIZE[n] = size
for i in range(8):
    REG_SIZE["mm%d" % i] = 8
    REG_SIZE["xmm%d" % i] = 16
    REG_SIZE["ymm%d" % i] = 32
    REG_SIZE["cr%d" % i] = 4
    REG_SIZE["dr%d" % i] = 4
SIZES = {"byte": 1, "word": 2, "dword": 4, "fword": 6, "qword": 8, "tbyte": 10, "oword": 16, "xmmword": 16,
         "yword": 32, "ymmword": 32}

CC_ALIASES = {"nb": "ae", "z": "e", "nz": "ne"}
NAME_ALIASES = {"loopz": "loope", "loopnz": "loopne", "pushad": "pusha", "popad": "popa",
                "pushfd": "pushf", "popfd": "popf", "iretd": "iret", "icebp": "int1",
                "repz": "rep", "repe": "rep", "repnz": "repne", "bnd": "repne",
                "call far": "call", "jmp far": "jmp", "wait": "fwait", "sal": "shl",
                # objdump marks a segment register pushed or popped with 0x66
                # by a size suffix; ours keeps the plain name (the operand size
                # shows in the prefix).
                "pushw": "push", "popw": "pop",
                # and a near call or jump with a 16-bit displacement (0x66)
                "callw": "call", "jmpw": "jmp",
                # likewise the descriptor-table loads and stores: objdump adds
                # the operand size ("sgdtd", "sgdtw"), ours the plain name
                "sgdtd": "sgdt", "sgdtw": "sgdt", "sidtd": "sidt", "sidtw": "sidt",
                "lgdtd": "lgdt", "lgdtw": "lgdt", "lidtd": "lidt", "lidtw": "lidt"}
WAIT_FORMS = {"fstcw": "fnstcw", "fstsw": "fnstsw", "finit": "fninit", "fclex": "fnclex",
              "fsave": "fnsave", "fstenv": "fnstenv", "feni": "fneni", "fdisi": "fndisi"}
STRING_OPS = {"movs", "cmps", "stos", "lods", "scas", "ins", "outs"}
# the runtime code that comes with the cross compiler (libraries with code,
# not import libraries)
RUNTIME_ARCHIVES = {"libmingwex.a", "libmingw32.a", "libmsvcrt.a", "libwinpthread.a", "libmoldname.a",
                    "libstdc++.a", "libsupc++.a", "libgcc.a", "libgcc_eh.a", "libquadmath.a", "libgomp.a",
                    "libatomic.a", "libssp.a", "libstdc++fs.a"}
HINT_NOPS = {"bndmk", "bndcl", "bndcu", "bndcn", "bndmov", "bndldx", "bndstx", "cldemote", "endbr32", "nop"}
PREFIXES = {"lock", "rep", "repz", "repe", "repne", "repnz", "bnd"}


def canon_name(name):
    name = NAME_ALIASES.get(name, name)
    for head in ("cmov", "set", "j"):
        if name.startswith(head) and name[len(head):] in CC_ALIASES:
            return head + CC_ALIASES[name[len(head):]]
    return name


def number(text):
    """Value of a number in either syntax, or None."""
    neg = text.startswith("-")
    if neg:
        text = text[1:]
    try:
        if text.startswith("0x"):
            v = int(text, 16)
        elif text.startswith("$"):
            v = int(text[1:], 16)
        elif text.isdigit():
            v = int(text)
        else:
            return None
    except ValueError:
        return None
    return (-v if neg else v) & MASK


MEM_RE = re.compile(r"^(?:(byte|word|dword|fword|qword|tbyte|oword|xmmword|yword|ymmword) ptr )?(?:([c-gs]s):)?(.*)$")


def operand(text):
    """A canonical operand: ('r', name), ('i', value), ('m', size, seg, terms, disp), ('p', sel, off)."""
    text = text.strip().lower()
    if text in REG_SIZE:
        return ("r", text)
    m = re.fullmatch(r"st(?:\((\d)\))?", text)
    if m:
        return ("r", "st%s" % (m.group(1) or "0"))
    m = re.fullmatch(r"(\S+) \((\S+)\)", text)  # ours: rel (target)
    if m:
        return ("i", number(m.group(2)))
    if ":" in text and "[" not in text and " " not in text:
        sel, off = text.split(":", 1)
        if sel not in REG_SIZE and number(sel) is not None:
            return ("p", number(sel), number(off))
    v = number(text)
    if v is not None:
        return ("i", v)
    m = MEM_RE.match(text)
    size, seg, rest = m.group(1), m.group(2), m.group(3)
    if rest.startswith("[") and rest.endswith("]"):
        rest = rest[1:-1]
    elif number(rest) is None:
        return ("?", text)
    terms, disp = [], 0
    for sign, term in re.findall(r"([+-]?)([^+-]+)", rest):
        v = number(term)
        if v is not None:
            disp = (disp - v if sign == "-" else disp + v) & MASK
            continue
        reg, _, scale = term.partition("*")
        if reg == "eiz":
            continue
        terms.append(reg if scale in ("", "1") else reg + "*" + scale)
    if seg == "ds":
        seg = None  # objdump names ds in front of plain addresses
    return ("m", SIZES.get(size), seg, tuple(terms), disp)


def split_operands(text):
    text = text.strip()
    if not text:
        return []
    return [operand(p) for p in re.split(r",\s*", text)]


def parse_objdump(path):
    """addr -> (length, valid, mnemonic, operands text, bytes)."""
    out = subprocess.run(["objdump", "-D", "-b", "binary", "-mi386", "-M", "intel", path],
                         capture_output=True, text=True, check=True).stdout
    result, last = {}, None
    for line in out.splitlines():
        f = line.split("\t")
        if len(f) < 2 or not f[0].strip().endswith(":"):
            continue
        try:
            addr = int(f[0].strip()[:-1], 16)
        except ValueError:
            continue
        raw = [int(x, 16) for x in f[1].split()]
        if len(f) < 3:  # continuation of a long byte list
            if last is not None:
                n, v, mn, ops, b = result[last]
                result[last] = (n + len(raw), v, mn, ops, b + raw)
            continue
        text = f[2].strip()
        words = text.split(None, 1)
        mn, ops = (words[0], words[1] if len(words) > 1 else "")
        valid = "(bad)" not in text and mn != ".byte"  # .byte: cut off at the end
        result[addr] = (len(raw), valid, mn, ops, raw)
        last = addr
    return result


def parse_ours(disasm, path):
    out = subprocess.run([disasm, "--linear", path, "0"], capture_output=True, text=True, check=True).stdout
    result = {}
    for line in out.splitlines():
        addr, length, text = line.split(" ", 2)
        result[int(addr, 16)] = (int(length), not text.startswith("db "), text)
    return result


def split_mnemonic(text, objdump):
    """(prefixes, segment, mnemonic, operand text) of one instruction text."""
    words = [w for w in text.split(" ") if w]
    prefixes, segment = [], None
    while len(words) > 1:
        if words[0] in PREFIXES:
            prefixes.append(NAME_ALIASES.get(words[0], words[0]))
        elif objdump and words[0] in ("data16", "addr16"):
            pass  # a size prefix that changes nothing; we do not show it
        elif objdump and words[0] in ("cs", "ds", "es", "ss", "fs", "gs"):
            segment = words[0]  # a segment prefix objdump could not place
        else:
            break
        words.pop(0)
    name = words.pop(0) if words else ""
    if not objdump and name in ("call", "jmp") and words and words[0] == "far":
        name += " " + words.pop(0)
    return prefixes, segment, name, " ".join(words)


def compare_instruction(mine, theirs):
    """None when they agree, else a short reason."""
    p1, _, n1, o1 = split_mnemonic(mine, False)
    p0, seg, n0, o0 = split_mnemonic(theirs, True)
    n0, n1 = canon_name(n0), canon_name(n1)
    n0, o0 = unfold_predicate(n0, o0)
    if n0 in STRING_OPS:
        m = re.search(r"(byte|word|dword) ptr", o0.lower())
        n0 += {"byte": "b", "word": "w", "dword": "d"}[m.group(1)] if m else ""
        o0 = ""
    if n0 == "xlat":
        o0 = ""
    if n0 == "xchg" and o0 == "ax,ax":
        n0, o0 = "nop", ""
    if n0 in HINT_NOPS and n1 == "nop":
        return None  # the hint space 0F 19-1F: nop with us, MPX and cache hints with objdump
    if p0 != p1:
        return "prefix"
    if n0 != n1:
        return "mnemonic"
    a = split_operands(o0)
    b = split_operands(o1)
    # a segment prefix objdump could not place names the memory operand only
    # when a later segment prefix does not (the last one counts)
    if seg and seg != "ds" and not re.search(r"\b[c-gs]s:", o0):
        a = [x[:2] + (x[2] or seg,) + x[3:] if x[0] == "m" else x for x in a]
    if len(a) != len(b):
        return "operand count"
    our_sizes = {REG_SIZE.get(x[1]) for x in b if x[0] == "r"}
    word = 2 in our_sizes or any(x[0] == "m" and x[1] == 2 for x in a)
    for x, y in zip(a, b):
        if x[0] == "m" and y[0] == "m":
            if x[2:] != y[2:]:
                return "memory operand"
            if y[1] is not None:
                if x[1] is not None and x[1] != y[1]:
                    return "operand size"
            elif x[1] is not None and x[1] not in our_sizes and x[1] != 6:
                return "operand size"
        elif x[0] == "i" and y[0] == "i" and word and x[1] <= 0xFFFF and (y[1] | 0xFFFF) == MASK:
            if x[1] != y[1] & 0xFFFF:  # a sign-extended byte of a 16-bit operation
                return "operand"
        elif x != y:
            return "operand"
    return None


def archive_members(path):
    """(name, bytes) of the members of an ar archive."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"!<arch>\n"):
        return
    pos, long_names = 8, b""
    while pos + 60 <= len(data):
        header = data[pos:pos + 60]
        name = header[:16].decode("latin-1").strip()
        size = int(header[48:58].decode("latin-1").strip() or 0)
        body = data[pos + 60:pos + 60 + size]
        pos += 60 + size + (size & 1)
        if name == "//":
            long_names = body
        elif name.startswith("/") and name[1:].isdigit():
            off = int(name[1:])
            yield long_names[off:long_names.index(b"/", off)].decode("latin-1"), body
        elif name not in ("/", "/SYM64/"):
            yield name.rstrip("/"), body


def coff_code(obj):
    """The raw bytes of the code sections (.text*) of an i386 COFF object."""
    if len(obj) < 20 or struct.unpack_from("<H", obj, 0)[0] != 0x14C:
        return b""
    _, nsec, _, symptr, nsym, opthdr, _ = struct.unpack_from("<HHIIIHH", obj, 0)
    strtab = symptr + nsym * 18
    code = b""
    for i in range(nsec):
        at = 20 + opthdr + i * 40
        if at + 40 > len(obj):
            break
        raw_name = obj[at:at + 8].rstrip(b"\0")
        if raw_name.startswith(b"/") and raw_name[1:].isdigit():
            off = strtab + int(raw_name[1:])
            raw_name = obj[off:obj.index(b"\0", off)]
        size, ptr = struct.unpack_from("<II", obj, at + 16)
        flags = struct.unpack_from("<I", obj, at + 36)[0]
        if raw_name.startswith(b".text") and flags & 0x20 and ptr and size:  # IMAGE_SCN_CNT_CODE
            code += obj[ptr:ptr + size]
    return code


def archive_blob(archive, work, limit):
    """The code of an archive's objects, one after the other, at most limit bytes."""
    blob = os.path.join(work, archive.replace("/", "_").strip("_") + ".bin")
    with open(blob, "wb") as out:
        written = 0
        for _, body in archive_members(archive):
            code = coff_code(body)
            out.write(code[:limit - written])
            written += len(code)
            if written >= limit:
                break
    return blob if os.path.getsize(blob) else None


def opcode_at(raw):
    """The bytes after the prefixes."""
    i = 0
    while i < len(raw) and raw[i] in (0x66, 0x67, 0xF0, 0xF2, 0xF3, 0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65):
        i += 1
    return raw[i:]


CMP_PREDICATES = ["eq", "lt", "le", "unord", "neq", "nlt", "nle", "ord", "eq_uq", "nge", "ngt", "false",
                  "neq_oq", "ge", "gt", "true", "eq_os", "lt_oq", "le_oq", "unord_s", "neq_us", "nlt_uq",
                  "nle_uq", "ord_s", "eq_us", "nge_uq", "ngt_uq", "false_os", "neq_os", "ge_oq", "gt_oq",
                  "true_us"]
CMP_RE = re.compile(r"^(v?cmp)(%s)(ps|pd|ss|sd)$" % "|".join(sorted(CMP_PREDICATES, key=len, reverse=True)))


def unfold_predicate(name, operands):
    """objdump's cmpnltps xmm0,xmm1 as cmpps xmm0,xmm1,0x5."""
    m = CMP_RE.match(name)
    if not m:
        return name, operands
    return m.group(1) + m.group(3), operands + ",0x%x" % CMP_PREDICATES.index(m.group(2))


def invalid_by_rule(raw, operands):
    """Why our decoder rejects an encoding that objdump accepts, or None."""
    legacy = raw[:len(raw) - len(opcode_at(raw))]
    op = opcode_at(raw)
    if len(op) > 1 and op[0] in (0xC4, 0xC5) and op[1] >= 0xC0 and set(legacy) & {0x66, 0xF2, 0xF3, 0xF0}:
        return "VEX after 0x66, 0xF2, 0xF3 or lock"
    if len(op) > 1 and op[0] in (0x8C, 0x8E) and (op[1] >> 3) & 7 >= 6:
        return "mov with segment register 6 or 7"
    if len(op) > 2 and op[0] == 0x0F and op[1] == 0x18 and (op[2] >> 3) & 7 >= 4:
        return "reserved prefetch hints 0F 18 /4-/7"
    if len(op) > 1 and op[0] == 0x0F and op[1] in (0x24, 0x26):
        return "mov with a test register 0F 24/0F 26"
    return None


def compare_blob(disasm, blob, apart):
    """Differences by reason: {reason: [lines]}; apart counts what is left out."""
    theirs = parse_objdump(blob)
    mine = parse_ours(disasm, blob)
    reasons = {}
    count = 0
    # objdump skips all bytes of an undecodable instruction, we skip one:
    # until both sweeps meet again, an objdump start we lack is no fault
    resync = False
    for addr, (n0, v0, t0, ops0, raw) in sorted(theirs.items()):
        # a folded wait: our wait, then the x87 instruction after it
        if raw[0] == 0x9B and n0 > 1 and t0.startswith("f"):
            t0 = WAIT_FORMS.get(t0, t0)
            addr, n0, raw = addr + 1, n0 - 1, raw[1:]
        m = mine.get(addr)
        if v0 and m and not m[1] and invalid_by_rule(raw, ops0):
            rule = invalid_by_rule(raw, ops0)
            apart[rule] = apart.get(rule, 0) + 1
            resync = True
            continue
        if m is None and resync:
            apart["after an undecodable byte, before both sweeps meet again"] = \
                apart.get("after an undecodable byte, before both sweeps meet again", 0) + 1
            continue
        resync = not v0 and m is not None and not m[1]
        count += 1
        if m is None:
            why = "no instruction start"
        elif m[1] != v0:
            why = "validity"
        elif not v0:
            continue
        elif m[0] != n0:
            why = "length"
        else:
            why = compare_instruction(m[2], t0 + ((" " + ops0) if ops0 else ""))
        if why:
            reasons.setdefault(why, []).append("%08x: objdump '%s %s' ours '%s'" %
                                               (addr, t0, ops0, m[2] if m else "-"))
    return reasons, count


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    disasm, work = sys.argv[1], sys.argv[2]
    if not shutil.which("objdump") or not shutil.which("i686-w64-mingw32-objcopy"):
        print("skipped: objdump or the cross tools are missing")
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    blobs = []
    if len(sys.argv) == 4:
        blob = os.path.join(work, "image.text")
        subprocess.run(["i686-w64-mingw32-objcopy", "-O", "binary", "--only-section=.text", sys.argv[3], blob],
                       check=True)
        blobs.append(blob)
    else:
        archives = [a for a in glob.glob("/usr/i686-w64-mingw32/lib/lib*.a") +
                    glob.glob("/usr/lib/gcc/i686-w64-mingw32/*-posix/lib*.a")
                    if os.path.basename(a) in RUNTIME_ARCHIVES]
        if not archives:
            print("skipped: no mingw runtime archives")
            return 77
        for a in sorted(archives):
            blob = archive_blob(a, work, 1 << 19)
            if blob:
                blobs.append(blob)
    total, bad, apart = 0, 0, {}
    for blob in blobs:
        reasons, count = compare_blob(disasm, blob, apart)
        n_bad = sum(len(v) for v in reasons.values())
        total += count
        bad += n_bad
        print("%s: %d instructions, %d differ" % (os.path.basename(blob), count, n_bad))
        for why, lines in sorted(reasons.items()):
            print("  %s: %d" % (why, len(lines)))
            for line in lines[:8]:
                print("    " + line)
    for what, n in sorted(apart.items()):
        print("left out: %d %s" % (n, what))
    print("compared %d instructions, %d differ" % (total, bad))
    return 1 if bad else 0

if __name__ == "__main__":
    sys.exit(main())
