// The opcode tables of the decoder, from the published IA-32
// opcode map (one-byte map, two-byte 0x0F map, groups, x87 escapes, the
// SSE/MMX forms selected by the mandatory prefixes, 3DNow! suffixes).
#include "report/disasm/quorDisAsmTables.h"

#include <cstddef>

namespace quor::tables {

namespace {
constexpr uint16_t D = kDir, B = kByte;
}

// clang-format off
const OpDef kOneByte[256] = {
  // 0x00
  Op("add","Eb,Gb",B), Op("add","Ev,Gv"), Op("add","Gb,Eb",B|D), Op("add","Gv,Ev",D),
  Op("add","AL,Ib",B), Op("add","eAX,Iz"), Op("push","ES"), Op("pop","ES"),
  Op("or","Eb,Gb",B), Op("or","Ev,Gv"), Op("or","Gb,Eb",B|D), Op("or","Gv,Ev",D),
  Op("or","AL,Ib",B), Op("or","eAX,Iz"), Op("push","CS"), kBad /* 0x0F escape */,
  // 0x10
  Op("adc","Eb,Gb",B), Op("adc","Ev,Gv"), Op("adc","Gb,Eb",B|D), Op("adc","Gv,Ev",D),
  Op("adc","AL,Ib",B), Op("adc","eAX,Iz"), Op("push","SS"), Op("pop","SS"),
  Op("sbb","Eb,Gb",B), Op("sbb","Ev,Gv"), Op("sbb","Gb,Eb",B|D), Op("sbb","Gv,Ev",D),
  Op("sbb","AL,Ib",B), Op("sbb","eAX,Iz"), Op("push","DS"), Op("pop","DS"),
  // 0x20
  Op("and","Eb,Gb",B), Op("and","Ev,Gv"), Op("and","Gb,Eb",B|D), Op("and","Gv,Ev",D),
  Op("and","AL,Ib",B), Op("and","eAX,Iz"), kBad /* es: */, Op("daa"),
  Op("sub","Eb,Gb",B), Op("sub","Ev,Gv"), Op("sub","Gb,Eb",B|D), Op("sub","Gv,Ev",D),
  Op("sub","AL,Ib",B), Op("sub","eAX,Iz"), kBad /* cs: */, Op("das"),
  // 0x30
  Op("xor","Eb,Gb",B), Op("xor","Ev,Gv"), Op("xor","Gb,Eb",B|D), Op("xor","Gv,Ev",D),
  Op("xor","AL,Ib",B), Op("xor","eAX,Iz"), kBad /* ss: */, Op("aaa"),
  Op("cmp","Eb,Gb",B), Op("cmp","Ev,Gv"), Op("cmp","Gb,Eb",B|D), Op("cmp","Gv,Ev",D),
  Op("cmp","AL,Ib",B), Op("cmp","eAX,Iz"), kBad /* ds: */, Op("aas"),
  // 0x40
  Op("inc","Zv"), Op("inc","Zv"), Op("inc","Zv"), Op("inc","Zv"),
  Op("inc","Zv"), Op("inc","Zv"), Op("inc","Zv"), Op("inc","Zv"),
  Op("dec","Zv"), Op("dec","Zv"), Op("dec","Zv"), Op("dec","Zv"),
  Op("dec","Zv"), Op("dec","Zv"), Op("dec","Zv"), Op("dec","Zv"),
  // 0x50
  Op("push","Zv"), Op("push","Zv"), Op("push","Zv"), Op("push","Zv"),
  Op("push","Zv"), Op("push","Zv"), Op("push","Zv"), Op("push","Zv"),
  Op("pop","Zv"), Op("pop","Zv"), Op("pop","Zv"), Op("pop","Zv"),
  Op("pop","Zv"), Op("pop","Zv"), Op("pop","Zv"), Op("pop","Zv"),
  // 0x60
  Op("pushad/pushaw"), Op("popad/popaw"), Op("bound","Gv,Ma",D), Op("arpl","Ew,Gw"),
  kBad /* fs: */, kBad /* gs: */, kBad /* 66 */, kBad /* 67 */,
  Op("push","Iz"), Op("imul","Gv,Ev,Iz",D), Op("push","Ibs"), Op("imul","Gv,Ev,Ibs",D),
  Op("insb"), Op("insd/insw"), Op("outsb"), Op("outsd/outsw"),
  // 0x70
  Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"),
  Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"),
  Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"),
  Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"), Op("j%cc","Jb"),
  // 0x80
  Op("add|or|adc|sbb|and|sub|xor|cmp","Eb,Ib",B), Op("add|or|adc|sbb|and|sub|xor|cmp","Ev,Iz"),
  Op("add|or|adc|sbb|and|sub|xor|cmp","Eb,Ib",B), Op("add|or|adc|sbb|and|sub|xor|cmp","Ev,Ibs"),
  Op("test","Eb,Gb",B), Op("test","Ev,Gv"), Op("xchg","Eb,Gb",B), Op("xchg","Ev,Gv"),
  Op("mov","Eb,Gb",B), Op("mov","Ev,Gv"), Op("mov","Gb,Eb",B|D), Op("mov","Gv,Ev",D),
  Op("mov","Mw,Sw:Ev,Sw"), Op("lea","Gv,M",D), Op("mov","Sw,Ew",D), Op("pop","Ev",kGroup),
  // 0x90
  Op("nop/nop/nop/pause"), Op("xchg","Zv,eAX"), Op("xchg","Zv,eAX"), Op("xchg","Zv,eAX"),
  Op("xchg","Zv,eAX"), Op("xchg","Zv,eAX"), Op("xchg","Zv,eAX"), Op("xchg","Zv,eAX"),
  Op("cwde/cbw"), Op("cdq/cwd"), Op("call","Ap"), Op("wait"),
  Op("pushfd/pushfw"), Op("popfd/popfw"), Op("sahf"), Op("lahf"),
  // 0xA0
  Op("mov","AL,Ob",B), Op("mov","eAX,Ov"), Op("mov","Ob,AL",B), Op("mov","Ov,eAX"),
  Op("movsb"), Op("movsd/movsw"), Op("cmpsb"), Op("cmpsd/cmpsw"),
  Op("test","AL,Ib",B), Op("test","eAX,Iz"), Op("stosb"), Op("stosd/stosw"),
  Op("lodsb"), Op("lodsd/lodsw"), Op("scasb"), Op("scasd/scasw"),
  // 0xB0
  Op("mov","Zb,Ib",B), Op("mov","Zb,Ib",B), Op("mov","Zb,Ib",B), Op("mov","Zb,Ib",B),
  Op("mov","Zb,Ib",B), Op("mov","Zb,Ib",B), Op("mov","Zb,Ib",B), Op("mov","Zb,Ib",B),
  Op("mov","Zv,Iz"), Op("mov","Zv,Iz"), Op("mov","Zv,Iz"), Op("mov","Zv,Iz"),
  Op("mov","Zv,Iz"), Op("mov","Zv,Iz"), Op("mov","Zv,Iz"), Op("mov","Zv,Iz"),
  // 0xC0
  Op("rol|ror|rcl|rcr|shl|shr|sal|sar","Eb,Ib",B), Op("rol|ror|rcl|rcr|shl|shr|sal|sar","Ev,Ib"),
  Op("ret","Iw"), Op("ret"), Op("les","Gv,Mp",D), Op("lds","Gv,Mp",D),
  Op("mov","Eb,Ib",kGroup|B), Op("mov","Ev,Iz",kGroup),
  Op("enter","Iw,I2"), Op("leave"), Op("retf","Iw"), Op("retf"),
  Op("int3"), Op("int","Ib"), Op("into"), Op("iretd/iretw"),
  // 0xD0
  Op("rol|ror|rcl|rcr|shl|shr|sal|sar","Eb,1",B), Op("rol|ror|rcl|rcr|shl|shr|sal|sar","Ev,1"),
  Op("rol|ror|rcl|rcr|shl|shr|sal|sar","Eb,CL",B), Op("rol|ror|rcl|rcr|shl|shr|sal|sar","Ev,CL"),
  Op("aam","Ib"), Op("aad","Ib"), kBad /* salc: undefined */, Op("xlat"),
  Op("x87","Ev"), Op("x87","Ev"), Op("x87","Ev"), Op("x87","Ev"),
  Op("x87","Ev"), Op("x87","Ev"), Op("x87","Ev"), Op("x87","Ev"),
  // 0xE0
  Op("loopnz","Jb"), Op("loopz","Jb"), Op("loop","Jb"), Op("jecxz","Jb"),
  Op("in","AL,Ib",B), Op("in","eAX,Ib"), Op("out","Ib,AL",B), Op("out","Ib,eAX"),
  Op("call","Jz"), Op("jmp","Jz"), Op("jmp","Ap"), Op("jmp","Jb"),
  Op("in","AL,DX",B), Op("in","eAX,DX"), Op("out","DX,AL",B), Op("out","DX,eAX"),
  // 0xF0
  kBad /* lock */, Op("int1"), kBad /* repne */, kBad /* rep */,
  Op("hlt"), Op("cmc"), Op("grp3","Eb",kGroup|B), Op("grp3","Ev",kGroup),
  Op("clc"), Op("stc"), Op("cli"), Op("sti"),
  Op("cld"), Op("std"), Op("grp4","Eb",kGroup|B), Op("grp5","Ev",kGroup),
};

const OpDef kTwoByte[256] = {
  // 0x0F 0x00
  Op("grp6","Ew",kGroup), Op("grp7","M",kGroup), Op("lar","Gv,Mw:Gv,Ev",D), Op("lsl","Gv,Mw:Gv,Ev",D),
  kBad, Op("syscall"), Op("clts"), Op("sysret"),
  Op("invd"), Op("wbinvd///wbnoinvd"), kBad, Op("ud2"),
  kBad, Op("prefetch|prefetchw|prefetchwt1|prefetch|prefetch|prefetch|prefetch|prefetch","Mb"),
  Op("femms"), Op("3dnow","Pq,Qq,Ib"),
  // 0x0F 0x10
  Op("movups/movupd/movsd/movss","Vx,Wx",D), Op("movups/movupd/movsd/movss","Wx,Vx"),
  Op("movlps:movhlps/movlpd/movddup/movsldup","Vx,Mq:Vx,Ux/Vx,Mq/Vx,Wq/Vx,Wo",D),
  Op("movlps/movlpd","Mq,Vx"),
  Op("unpcklps/unpcklpd","Vx,Wo",D), Op("unpckhps/unpckhpd","Vx,Wo",D),
  Op("movhps:movlhps/movhpd//movshdup","Vx,Mq:Vx,Ux/Vx,Mq//Vx,Wo",D),
  Op("movhps/movhpd","Mq,Vx"),
  Op("grp16","Mb",kGroup), Op("nop","Ev"), Op("nop","Ev"), Op("nop","Ev"),
  Op("nop","Ev"), Op("nop","Ev"), Op("nop","Ev"), Op("nop","Ev"),
  // 0x0F 0x20
  Op("mov","Rd,Cd"), Op("mov","Rd,Dd"), Op("mov","Cd,Rd",D), Op("mov","Dd,Rd",D),
  kBad, kBad, kBad, kBad,
  Op("movaps/movapd","Vx,Wo",D), Op("movaps/movapd","Wo,Vx"),
  Op("cvtpi2ps/cvtpi2pd/cvtsi2sd/cvtsi2ss","Vx,Qq/Vx,Qq/Vx,Ed/Vx,Ed",D),
  Op("movntps/movntpd/movntsd/movntss","Mo,Vx/Mo,Vx/Mq,Vx/Md,Vx"),
  Op("cvttps2pi/cvttpd2pi/cvttsd2si/cvttss2si","Pq,Wq/Pq,Wo/Gd,Wq/Gd,Wd",D),
  Op("cvtps2pi/cvtpd2pi/cvtsd2si/cvtss2si","Pq,Wq/Pq,Wo/Gd,Wq/Gd,Wd",D),
  Op("ucomiss/ucomisd","Vx,Wd/Vx,Wq",D), Op("comiss/comisd","Vx,Wd/Vx,Wq",D),
  // 0x0F 0x30
  Op("wrmsr"), Op("rdtsc"), Op("rdmsr"), Op("rdpmc"),
  Op("sysenter"), Op("sysexit"), kBad, Op("getsec"),
  kBad /* 0F 38 map */, kBad, kBad /* 0F 3A map */, kBad,
  kBad, kBad, kBad, kBad,
  // 0x0F 0x40
  Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D),
  Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D),
  Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D),
  Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D), Op("cmov%cc","Gv,Ev",D),
  // 0x0F 0x50
  Op("movmskps/movmskpd","Gd,Ux",D), Op("sqrtPS","Vx,Wx",D),
  Op("rsqrtps///rsqrtss","Vx,Wo///Vx,Wd",D), Op("rcpps///rcpss","Vx,Wo///Vx,Wd",D),
  Op("andps/andpd","Vx,Wo",D), Op("andnps/andnpd","Vx,Wo",D),
  Op("orps/orpd","Vx,Wo",D), Op("xorps/xorpd","Vx,Wo",D),
  Op("addPS","Vx,Wx",D), Op("mulPS","Vx,Wx",D),
  Op("cvtps2pd/cvtpd2ps/cvtsd2ss/cvtss2sd","Vx,Wq/Vx,Wo/Vx,Wq/Vx,Wd",D),
  Op("cvtdq2ps/cvtps2dq//cvttps2dq","Vx,Wo",D),
  Op("subPS","Vx,Wx",D), Op("minPS","Vx,Wx",D), Op("divPS","Vx,Wx",D), Op("maxPS","Vx,Wx",D),
  // 0x0F 0x60
  Op("punpcklbw","Px,Qd/Px,Qx",D), Op("punpcklwd","Px,Qd/Px,Qx",D),
  Op("punpckldq","Px,Qd/Px,Qx",D), Op("packsswb","Px,Qx",D),
  Op("pcmpgtb","Px,Qx",D), Op("pcmpgtw","Px,Qx",D), Op("pcmpgtd","Px,Qx",D), Op("packuswb","Px,Qx",D),
  Op("punpckhbw","Px,Qx",D), Op("punpckhwd","Px,Qx",D), Op("punpckhdq","Px,Qx",D), Op("packssdw","Px,Qx",D),
  Op("/punpcklqdq","/Vx,Wo",D), Op("/punpckhqdq","/Vx,Wo",D),
  Op("movd","Px,Ed",D), Op("movq/movdqa//movdqu","Pq,Qq/Vx,Wo//Vx,Wo",D),
  // 0x0F 0x70
  Op("pshufw/pshufd/pshuflw/pshufhw","Pq,Qq,Ib/Vx,Wo,Ib/Vx,Wo,Ib/Vx,Wo,Ib",D),
  Op("grp12","Nq,Ib",kGroup), Op("grp13","Nq,Ib",kGroup), Op("grp14","Nq,Ib",kGroup),
  Op("pcmpeqb","Px,Qx",D), Op("pcmpeqw","Px,Qx",D), Op("pcmpeqd","Px,Qx",D), Op("emms"),
  Op("vmread/extrq/insertq","Ed,Gd/Ux,Ib,I2/Vx,Ux,Ib,I2"),
  Op("vmwrite/extrq/insertq","Gd,Ed/Vx,Ux/Vx,Ux",D), kBad, kBad,
  Op("/haddpd/haddps","/Vx,Wo/Vx,Wo",D), Op("/hsubpd/hsubps","/Vx,Wo/Vx,Wo",D),
  Op("movd/movd//movq","Ed,Pq/Ed,Vx//Vx,Wq"), Op("movq/movdqa//movdqu","Qq,Pq/Wo,Vx//Wo,Vx"),
  // 0x0F 0x80
  Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"),
  Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"),
  Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"),
  Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"), Op("j%cc","Jz"),
  // 0x0F 0x90
  Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B),
  Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B),
  Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B),
  Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B), Op("set%cc","Eb",B),
  // 0x0F 0xA0
  Op("push","FS"), Op("pop","FS"), Op("cpuid"), Op("bt","Ev,Gv"),
  Op("shld","Ev,Gv,Ib"), Op("shld","Ev,Gv,CL"), kBad, kBad,
  Op("push","GS"), Op("pop","GS"), Op("rsm"), Op("bts","Ev,Gv"),
  Op("shrd","Ev,Gv,Ib"), Op("shrd","Ev,Gv,CL"), Op("grp15","M",kGroup), Op("imul","Gv,Ev",D),
  // 0x0F 0xB0
  Op("cmpxchg","Eb,Gb",B), Op("cmpxchg","Ev,Gv"), Op("lss","Gv,Mp",D), Op("btr","Ev,Gv"),
  Op("lfs","Gv,Mp",D), Op("lgs","Gv,Mp",D), Op("movzx","Gv,Eb",D), Op("movzx","Gv,Ew",D),
  Op("///popcnt","///Gv,Ev",D), Op("ud1","Gv,Ev",D), Op("grp8","Ev,Ib",kGroup), Op("btc","Ev,Gv"),
  Op("bsf/bsf//tzcnt","Gv,Ev",D), Op("bsr/bsr//lzcnt","Gv,Ev",D), Op("movsx","Gv,Eb",D), Op("movsx","Gv,Ew",D),
  // 0x0F 0xC0
  Op("xadd","Eb,Gb",B), Op("xadd","Ev,Gv"),
  Op("cmpPS","Vx,Wx,Ib",D), Op("movnti","Md,Gd"),
  Op("pinsrw","Px,Mw,Ib:Px,Rd,Ib",D), Op("pextrw","Gd,Nq,Ib/Gd,Ux,Ib",D),
  Op("shufps/shufpd","Vx,Wo,Ib",D), Op("grp9","M",kGroup),
  Op("bswap","Zv"), Op("bswap","Zv"), Op("bswap","Zv"), Op("bswap","Zv"),
  Op("bswap","Zv"), Op("bswap","Zv"), Op("bswap","Zv"), Op("bswap","Zv"),
  // 0x0F 0xD0
  Op("/addsubpd/addsubps","/Vx,Wo/Vx,Wo",D), Op("psrlw","Px,Qx",D), Op("psrld","Px,Qx",D), Op("psrlq","Px,Qx",D),
  Op("paddq","Px,Qx",D), Op("pmullw","Px,Qx",D),
  Op("/movq/movdq2q/movq2dq","/Wq,Vx/Pq,Ux/Vx,Nq"), Op("pmovmskb","Gd,Nq/Gd,Ux",D),
  Op("psubusb","Px,Qx",D), Op("psubusw","Px,Qx",D), Op("pminub","Px,Qx",D), Op("pand","Px,Qx",D),
  Op("paddusb","Px,Qx",D), Op("paddusw","Px,Qx",D), Op("pmaxub","Px,Qx",D), Op("pandn","Px,Qx",D),
  // 0x0F 0xE0
  Op("pavgb","Px,Qx",D), Op("psraw","Px,Qx",D), Op("psrad","Px,Qx",D), Op("pavgw","Px,Qx",D),
  Op("pmulhuw","Px,Qx",D), Op("pmulhw","Px,Qx",D),
  Op("/cvttpd2dq/cvtpd2dq/cvtdq2pd","/Vx,Wo/Vx,Wo/Vx,Wq",D), Op("movntq/movntdq","Mq,Pq/Mo,Vx"),
  Op("psubsb","Px,Qx",D), Op("psubsw","Px,Qx",D), Op("pminsw","Px,Qx",D), Op("por","Px,Qx",D),
  Op("paddsb","Px,Qx",D), Op("paddsw","Px,Qx",D), Op("pmaxsw","Px,Qx",D), Op("pxor","Px,Qx",D),
  // 0x0F 0xF0
  Op("//lddqu","//Vx,Mo",D), Op("psllw","Px,Qx",D), Op("pslld","Px,Qx",D), Op("psllq","Px,Qx",D),
  Op("pmuludq","Px,Qx",D), Op("pmaddwd","Px,Qx",D), Op("psadbw","Px,Qx",D),
  Op("maskmovq/maskmovdqu","Pq,Nq/Vx,Ux",D),
  Op("psubb","Px,Qx",D), Op("psubw","Px,Qx",D), Op("psubd","Px,Qx",D), Op("psubq","Px,Qx",D),
  Op("paddb","Px,Qx",D), Op("paddw","Px,Qx",D), Op("paddd","Px,Qx",D), Op("ud0","Gv,Ev",D),
};

// Groups whose forms differ in more than the name: per reg, memory forms
// then register forms.
const GroupDef kGroups[] = {
  {0x8F, {Op("pop","Ev"), kBad, kBad, kBad, kBad, kBad, kBad, kBad},
         {Op("pop","Ev"), kBad, kBad, kBad, kBad, kBad, kBad, kBad}},
  {0xC6, {Op("mov","Eb,Ib",B), kBad, kBad, kBad, kBad, kBad, kBad, kBad},
         {Op("mov","Eb,Ib",B), kBad, kBad, kBad, kBad, kBad, kBad, Op("xabort-------","Ib")}},
  {0xC7, {Op("mov","Ev,Iz"), kBad, kBad, kBad, kBad, kBad, kBad, kBad},
         {Op("mov","Ev,Iz"), kBad, kBad, kBad, kBad, kBad, kBad, Op("xbegin-------","Jz")}},
  {0xF6, {Op("test","Eb,Ib",B), Op("test","Eb,Ib",B), Op("not","Eb",B), Op("neg","Eb",B),
          Op("mul","Eb",B), Op("imul","Eb",B), Op("div","Eb",B), Op("idiv","Eb",B)},
         {Op("test","Eb,Ib",B), Op("test","Eb,Ib",B), Op("not","Eb",B), Op("neg","Eb",B),
          Op("mul","Eb",B), Op("imul","Eb",B), Op("div","Eb",B), Op("idiv","Eb",B)}},
  {0xF7, {Op("test","Ev,Iz"), Op("test","Ev,Iz"), Op("not","Ev"), Op("neg","Ev"),
          Op("mul","Ev"), Op("imul","Ev"), Op("div","Ev"), Op("idiv","Ev")},
         {Op("test","Ev,Iz"), Op("test","Ev,Iz"), Op("not","Ev"), Op("neg","Ev"),
          Op("mul","Ev"), Op("imul","Ev"), Op("div","Ev"), Op("idiv","Ev")}},
  {0xFE, {Op("inc","Eb",B), Op("dec","Eb",B), kBad, kBad, kBad, kBad, kBad, kBad},
         {Op("inc","Eb",B), Op("dec","Eb",B), kBad, kBad, kBad, kBad, kBad, kBad}},
  {0xFF, {Op("inc","Ev"), Op("dec","Ev"), Op("call","Ev"), Op("call far","Mp"),
          Op("jmp","Ev"), Op("jmp far","Mp"), Op("push","Ev"), kBad},
         {Op("inc","Ev"), Op("dec","Ev"), Op("call","Ev"), kBad,
          Op("jmp","Ev"), kBad, Op("push","Ev"), kBad}},
  {0x0F00, {Op("sldt","Mw"), Op("str","Mw"), Op("lldt","Mw"), Op("ltr","Mw"),
            Op("verr","Mw"), Op("verw","Mw"), kBad, kBad},
           {Op("sldt","Ev"), Op("str","Ev"), Op("lldt","Ew"), Op("ltr","Ew"),
            Op("verr","Ew"), Op("verw","Ew"), kBad, kBad}},
  {0x0F01, {Op("sgdt","M"), Op("sidt","M"), Op("lgdt","M"), Op("lidt","M"),
            Op("smsw","Mw"), kBad, Op("lmsw","Mw"), Op("invlpg","Mb")},
           {Op("-vmcall-vmlaunch-vmresume-vmxoff---"), Op("monitor-mwait-clac-stac---encls-"),
            Op("xgetbv-xsetbv--vmfunc-xend-xtest-enclu-"),
            Op("vmrun-vmmcall-vmload-vmsave-stgi-clgi-skinit-invlpga"),
            Op("smsw","Ev"), kBad, Op("lmsw","Ew"), Op("swapgs-rdtscp-monitorx-mwaitx-clzero-rdpid--")}},
  // prefetch hints; the reserved hint forms count as unused encodings
  {0x0F18, {Op("prefetchnta","Mb"), Op("prefetcht0","Mb"), Op("prefetcht1","Mb"), Op("prefetcht2","Mb"),
            kBad, kBad, kBad, kBad},
           {kBad, kBad, kBad, kBad, kBad, kBad, kBad, kBad}},
  {0x0F71, {kBad, kBad, kBad, kBad, kBad, kBad, kBad, kBad},
           {kBad, kBad, Op("psrlw","Nq,Ib/Ux,Ib"), kBad, Op("psraw","Nq,Ib/Ux,Ib"), kBad,
            Op("psllw","Nq,Ib/Ux,Ib"), kBad}},
  {0x0F72, {kBad, kBad, kBad, kBad, kBad, kBad, kBad, kBad},
           {kBad, kBad, Op("psrld","Nq,Ib/Ux,Ib"), kBad, Op("psrad","Nq,Ib/Ux,Ib"), kBad,
            Op("pslld","Nq,Ib/Ux,Ib"), kBad}},
  {0x0F73, {kBad, kBad, kBad, kBad, kBad, kBad, kBad, kBad},
           {kBad, kBad, Op("psrlq","Nq,Ib/Ux,Ib"), Op("/psrldq","/Ux,Ib"), kBad, kBad,
            Op("psllq","Nq,Ib/Ux,Ib"), Op("/pslldq","/Ux,Ib")}},
  {0x0FAE, {Op("fxsave","M"), Op("fxrstor","M"), Op("ldmxcsr","Md"), Op("stmxcsr","Md"),
            Op("xsave","M"), Op("xrstor","M"), Op("xsaveopt/clwb","M/Mb"), Op("clflush/clflushopt","Mb")},
           {kBad, kBad, kBad, kBad, kBad, Op("lfence"), Op("mfence/tpause/umwait/umonitor","/Rd/Rd/Rd"),
            Op("sfence")}},
  {0x0FBA, {kBad, kBad, kBad, kBad, Op("bt","Ev,Ib"), Op("bts","Ev,Ib"), Op("btr","Ev,Ib"), Op("btc","Ev,Ib")},
           {kBad, kBad, kBad, kBad, Op("bt","Ev,Ib"), Op("bts","Ev,Ib"), Op("btr","Ev,Ib"), Op("btc","Ev,Ib")}},
  {0x0FC7, {kBad, Op("cmpxchg8b","Mq"), kBad, Op("xrstors","M"), Op("xsavec","M"), Op("xsaves","M"),
            Op("vmptrld/vmclear//vmxon","Mq"), Op("vmptrst","Mq")},
           {kBad, kBad, kBad, kBad, kBad, kBad, Op("rdrand","Ev"), Op("rdseed","Ev")}},
};
const int kGroupCount = sizeof(kGroups) / sizeof(kGroups[0]);

const GroupDef* FindGroup(uint16_t opcode) {
  for (const GroupDef& g : kGroups)
    if (g.Opcode == opcode) return &g;
  return nullptr;
}

// ---------------------------------------------------------------------------
// Three-byte maps (SSSE3, SSE4.1, SSE4.2, AES-NI, SHA, ADX): the names
// objdump and the manuals use; everything else there is invalid.
namespace {
// Which mandatory prefix a three-byte form needs.
enum : uint8_t { kNoneOr66 = 0, kNeeds66 = 1, kNeedsF2 = 2, kNeedsF3 = 3, kNeedsNone = 4 };
struct Named {
  uint8_t Op;
  uint8_t Prefix;  // kNoneOr66 (MMX form without prefix, xmm with 0x66) ... kNeedsNone
  const char* Name;
};
const Named k38[] = {
  {0x00,0,"pshufb"},{0x01,0,"phaddw"},{0x02,0,"phaddd"},{0x03,0,"phaddsw"},{0x04,0,"pmaddubsw"},
  {0x05,0,"phsubw"},{0x06,0,"phsubd"},{0x07,0,"phsubsw"},{0x08,0,"psignb"},{0x09,0,"psignw"},
  {0x0A,0,"psignd"},{0x0B,0,"pmulhrsw"},{0x10,1,"pblendvb"},{0x14,1,"blendvps"},{0x15,1,"blendvpd"},
  {0x17,1,"ptest"},{0x1C,0,"pabsb"},{0x1D,0,"pabsw"},{0x1E,0,"pabsd"},{0x20,1,"pmovsxbw"},
  {0x21,1,"pmovsxbd"},{0x22,1,"pmovsxbq"},{0x23,1,"pmovsxwd"},{0x24,1,"pmovsxwq"},{0x25,1,"pmovsxdq"},
  {0x28,1,"pmuldq"},{0x29,1,"pcmpeqq"},{0x2A,1,"movntdqa"},{0x2B,1,"packusdw"},{0x30,1,"pmovzxbw"},
  {0x31,1,"pmovzxbd"},{0x32,1,"pmovzxbq"},{0x33,1,"pmovzxwd"},{0x34,1,"pmovzxwq"},{0x35,1,"pmovzxdq"},
  {0x37,1,"pcmpgtq"},{0x38,1,"pminsb"},{0x39,1,"pminsd"},{0x3A,1,"pminuw"},{0x3B,1,"pminud"},
  {0x3C,1,"pmaxsb"},{0x3D,1,"pmaxsd"},{0x3E,1,"pmaxuw"},{0x3F,1,"pmaxud"},{0x40,1,"pmulld"},
  {0x41,1,"phminposuw"},{0xF0,0,"movbe"},{0xF1,0,"movbe"},{0xF0,2,"crc32"},{0xF1,2,"crc32"},
  {0xC8,4,"sha1nexte"},{0xC9,4,"sha1msg1"},{0xCA,4,"sha1msg2"},{0xCB,4,"sha256rnds2"},
  {0xCC,4,"sha256msg1"},{0xCD,4,"sha256msg2"},{0xDB,1,"aesimc"},{0xDC,1,"aesenc"},
  {0xDD,1,"aesenclast"},{0xDE,1,"aesdec"},{0xDF,1,"aesdeclast"},{0xF6,1,"adcx"},{0xF6,3,"adox"},
};
const Named k3A[] = {
  {0x08,1,"roundps"},{0x09,1,"roundpd"},{0x0A,1,"roundss"},{0x0B,1,"roundsd"},{0x0C,1,"blendps"},
  {0x0D,1,"blendpd"},{0x0E,1,"pblendw"},{0x0F,0,"palignr"},{0x14,1,"pextrb"},{0x15,1,"pextrw"},
  {0x16,1,"pextrd"},{0x17,1,"extractps"},{0x20,1,"pinsrb"},{0x21,1,"insertps"},{0x22,1,"pinsrd"},
  {0x40,1,"dpps"},{0x41,1,"dppd"},{0x42,1,"mpsadbw"},{0x44,1,"pclmulqdq"},{0x60,1,"pcmpestrm"},
  {0x61,1,"pcmpestri"},{0x62,1,"pcmpistrm"},{0x63,1,"pcmpistri"},{0xCC,4,"sha1rnds4"},
  {0xDF,1,"aeskeygenassist"},
};
template <std::size_t N>
const char* FindNamed(const Named (&t)[N], uint8_t op, uint8_t prefix) {
  // prefix: 0 none, 1 66, 2 F2, 3 F3
  for (const Named& n : t) {
    if (n.Op != op) continue;
    const bool fits = n.Prefix == kNoneOr66 ? prefix <= 1 : n.Prefix == kNeedsNone ? prefix == 0 : n.Prefix == prefix;
    if (fits) return n.Name;
  }
  return nullptr;
}
}  // namespace

const char* Map38Name(uint8_t op, uint8_t prefix) { return FindNamed(k38, op, prefix); }

const char* Map3Operands(uint8_t map, uint8_t op) {
  if (map == 0x38) {
    switch (op & 0xEF) {  // pmovsx 0x20-0x25, pmovzx 0x30-0x35
      case 0x20: case 0x23: case 0x25: return "Vx,Wq";
      case 0x21: case 0x24: return "Vx,Wd";
      case 0x22: return "Vx,Ww";
      default: break;
    }
    if (op == 0xCB) return "Vx,Wo,X0";  // sha256rnds2: xmm0 is an implicit operand
    if (op >= 0xC8 && op <= 0xCD) return "Vx,Wo";  // SHA: xmm forms without prefix
    if (op == 0xF6) return "Gd,Ed";  // adcx, adox
    return nullptr;
  }
  switch (op) {
    case 0x0A: return "Vx,Wd,Ib";  // roundss
    case 0x0B: return "Vx,Wq,Ib";  // roundsd
    case 0x14: return "Mb,Vx,Ib:Rd,Vx,Ib";  // pextrb
    case 0x15: return "Mw,Vx,Ib:Rd,Vx,Ib";  // pextrw
    case 0x16: case 0x17: return "Ed,Vx,Ib";  // pextrd, extractps
    case 0x20: return "Vx,Mb,Ib:Vx,Rd,Ib";  // pinsrb
    case 0x21: return "Vx,Wd,Ib";  // insertps
    case 0x22: return "Vx,Ed,Ib";  // pinsrd
    case 0xCC: return "Vx,Wo,Ib";  // sha1rnds4: xmm form without prefix
    default: return nullptr;
  }
}
const char* Map3AName(uint8_t op, uint8_t prefix) { return FindNamed(k3A, op, prefix); }

// ---------------------------------------------------------------------------
// x87 escapes 0xD8-0xDF.
const X87Mem kX87Mem[8][8] = {
  /* D8 */ {{"add",4},{"mul",4},{"com",4},{"comp",4},{"sub",4},{"subr",4},{"div",4},{"divr",4}},
  /* D9 */ {{"ld",4},{nullptr,0},{"st",4},{"stp",4},{"ldenv",0},{"ldcw",2},{"nstenv",0},{"nstcw",2}},
  /* DA */ {{"iadd",4},{"imul",4},{"icom",4},{"icomp",4},{"isub",4},{"isubr",4},{"idiv",4},{"idivr",4}},
  /* DB */ {{"ild",4},{"isttp",4},{"ist",4},{"istp",4},{nullptr,0},{"ld",10},{nullptr,0},{"stp",10}},
  /* DC */ {{"add",8},{"mul",8},{"com",8},{"comp",8},{"sub",8},{"subr",8},{"div",8},{"divr",8}},
  /* DD */ {{"ld",8},{"isttp",8},{"st",8},{"stp",8},{"rstor",0},{nullptr,0},{"nsave",0},{"nstsw",2}},
  /* DE */ {{"iadd",2},{"imul",2},{"icom",2},{"icomp",2},{"isub",2},{"isubr",2},{"idiv",2},{"idivr",2}},
  /* DF */ {{"ild",2},{"isttp",2},{"ist",2},{"istp",2},{"bld",10},{"ild",8},{"bstp",10},{"istp",8}},
};

namespace {
// Register forms by escape and reg; an entry with Form "-" is chosen by r/m
// from the "-"-separated names.
const X87Reg kX87RegTab[8][8] = {
  /* D8 */ {{"add","0i"},{"mul","0i"},{"com","i"},{"comp","i"},{"sub","0i"},{"subr","0i"},{"div","0i"},{"divr","0i"}},
  /* D9 */ {{"ld","i"},{"xch","i"},{"nop-------","-"},{nullptr,nullptr},
            {"chs-abs---tst-xam--","-"},{"ld1-ldl2t-ldl2e-ldpi-ldlg2-ldln2-ldz-","-"},
            {"2xm1-yl2x-ptan-patan-xtract-prem1-decstp-incstp","-"},
            {"prem-yl2xp1-sqrt-sincos-rndint-scale-sin-cos","-"}},
  /* DA */ {{"cmovb","0i"},{"cmove","0i"},{"cmovbe","0i"},{"cmovu","0i"},{nullptr,nullptr},
            {"-ucompp------","-"},{nullptr,nullptr},{nullptr,nullptr}},
  /* DB */ {{"cmovnb","0i"},{"cmovne","0i"},{"cmovnbe","0i"},{"cmovnu","0i"},
            {"neni-ndisi-nclex-ninit-nsetpm---","-"},{"ucomi","0i"},{"comi","0i"},{nullptr,nullptr}},
  /* DC */ {{"add","i0"},{"mul","i0"},{nullptr,nullptr},{nullptr,nullptr},{"subr","i0"},{"sub","i0"},{"divr","i0"},{"div","i0"}},
  /* DD */ {{"free","i"},{nullptr,nullptr},{"st","i"},{"stp","i"},{"ucom","i"},{"ucomp","i"},{nullptr,nullptr},{nullptr,nullptr}},
  /* DE */ {{"addp","i0"},{"mulp","i0"},{nullptr,nullptr},{"-compp------","-"},{"subrp","i0"},{"subp","i0"},{"divrp","i0"},{"divp","i0"}},
  /* DF */ {{"freep","i"},{nullptr,nullptr},{nullptr,nullptr},{nullptr,nullptr},{"nstsw-------","ax"},
            {"ucomip","0i"},{"comip","0i"},{nullptr,nullptr}},
};
}  // namespace

const X87Reg* X87RegForm(uint8_t escape, uint8_t reg, uint8_t rm) {
  const X87Reg* e = &kX87RegTab[escape & 7][reg & 7];
  if (!e->Name) return nullptr;
  return e;
}

// ---------------------------------------------------------------------------
namespace {
struct Amd {
  uint8_t Suffix;
  const char* Name;
};
const Amd kAmd[] = {
  {0x0C,"pi2fw"},{0x0D,"pi2fd"},{0x1C,"pf2iw"},{0x1D,"pf2id"},{0x8A,"pfnacc"},{0x8E,"pfpnacc"},
  {0x90,"pfcmpge"},{0x94,"pfmin"},{0x96,"pfrcp"},{0x97,"pfrsqrt"},{0x9A,"pfsub"},{0x9E,"pfadd"},
  {0xA0,"pfcmpgt"},{0xA4,"pfmax"},{0xA6,"pfrcpit1"},{0xA7,"pfrsqit1"},{0xAA,"pfsubr"},{0xAE,"pfacc"},
  {0xB0,"pfcmpeq"},{0xB4,"pfmul"},{0xB6,"pfrcpit2"},{0xB7,"pmulhrw"},{0xBB,"pswapd"},{0xBF,"pavgusb"},
};
}  // namespace

const char* Amd3DNowName(uint8_t suffix) {
  for (const Amd& a : kAmd)
    if (a.Suffix == suffix) return a.Name;
  return nullptr;
}

const char* const kCondCodes[16] = {"o", "no", "b", "nb", "z", "nz", "be", "a",
                                    "s", "ns", "p", "np", "l", "ge", "le", "g"};
const char* const kReg8[8] = {"al", "cl", "dl", "bl", "ah", "ch", "dh", "bh"};
const char* const kReg16[8] = {"ax", "cx", "dx", "bx", "sp", "bp", "si", "di"};
const char* const kReg32[8] = {"eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi"};
const char* const kSegRegs[8] = {"es", "cs", "ss", "ds", "fs", "gs", nullptr, nullptr};
// clang-format on

}  // namespace quor::tables
