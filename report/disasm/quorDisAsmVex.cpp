// The VEX-encoded forms of the decoder (AVX, AVX2, FMA3, F16C, VAES, BMI1,
// BMI2), from
// the published opcode maps: one row per opcode, mandatory prefix and, where
// they select the form, ModR/M reg, VEX.W and VEX.L.
#include <cstdio>

#include "report/disasm/quorDisAsmTables.h"

namespace quor::tables {

namespace {
constexpr uint8_t N = 0, P66 = 1, F2 = 2, F3 = 3;  // mandatory prefixes
constexpr uint8_t G = kVexNoGroup;
constexpr uint8_t L0 = kVexL0, L1 = kVexL1, W0 = kVexW0, W1 = kVexW1;

// clang-format off
const VexDef kVex[] = {
  // 0x0F map: moves and floating point
  {1,0x10,N,G,0,"vmovups","Vy,Wy"}, {1,0x10,P66,G,0,"vmovupd","Vy,Wy"},
  {1,0x10,F3,G,0,"vmovss","Vx,Md:Vx,Hx,Ux"}, {1,0x10,F2,G,0,"vmovsd","Vx,Mq:Vx,Hx,Ux"},
  {1,0x11,N,G,0,"vmovups","Wy,Vy"}, {1,0x11,P66,G,0,"vmovupd","Wy,Vy"},
  {1,0x11,F3,G,0,"vmovss","Md,Vx:Ux,Hx,Vx"}, {1,0x11,F2,G,0,"vmovsd","Mq,Vx:Ux,Hx,Vx"},
  {1,0x12,N,G,L0,"vmovlps:vmovhlps","Vx,Hx,Mq:Vx,Hx,Ux"}, {1,0x12,P66,G,L0,"vmovlpd","Vx,Hx,Mq"},
  {1,0x12,F3,G,0,"vmovsldup","Vy,Wy"},
  {1,0x13,N,G,L0,"vmovlps","Mq,Vx"}, {1,0x13,P66,G,L0,"vmovlpd","Mq,Vx"},
  {1,0x14,N,G,0,"vunpcklps","Vy,Hy,Wy"}, {1,0x14,P66,G,0,"vunpcklpd","Vy,Hy,Wy"},
  {1,0x15,N,G,0,"vunpckhps","Vy,Hy,Wy"}, {1,0x15,P66,G,0,"vunpckhpd","Vy,Hy,Wy"},
  {1,0x16,N,G,L0,"vmovhps:vmovlhps","Vx,Hx,Mq:Vx,Hx,Ux"}, {1,0x16,P66,G,L0,"vmovhpd","Vx,Hx,Mq"},
  {1,0x16,F3,G,0,"vmovshdup","Vy,Wy"},
  {1,0x17,N,G,L0,"vmovhps","Mq,Vx"}, {1,0x17,P66,G,L0,"vmovhpd","Mq,Vx"},
  {1,0x28,N,G,0,"vmovaps","Vy,Wy"}, {1,0x28,P66,G,0,"vmovapd","Vy,Wy"},
  {1,0x29,N,G,0,"vmovaps","Wy,Vy"}, {1,0x29,P66,G,0,"vmovapd","Wy,Vy"},
  {1,0x2A,F3,G,0,"vcvtsi2ss","Vx,Hx,Ed"}, {1,0x2A,F2,G,0,"vcvtsi2sd","Vx,Hx,Ed"},
  {1,0x2B,N,G,0,"vmovntps","My,Vy"}, {1,0x2B,P66,G,0,"vmovntpd","My,Vy"},
  {1,0x2C,F3,G,0,"vcvttss2si","Gd,Wd"}, {1,0x2C,F2,G,0,"vcvttsd2si","Gd,Wq"},
  {1,0x2D,F3,G,0,"vcvtss2si","Gd,Wd"}, {1,0x2D,F2,G,0,"vcvtsd2si","Gd,Wq"},
  {1,0x2E,N,G,0,"vucomiss","Vx,Wd"}, {1,0x2E,P66,G,0,"vucomisd","Vx,Wq"},
  {1,0x2F,N,G,0,"vcomiss","Vx,Wd"}, {1,0x2F,P66,G,0,"vcomisd","Vx,Wq"},
  {1,0x50,N,G,0,"vmovmskps","Gd,Uy"}, {1,0x50,P66,G,0,"vmovmskpd","Gd,Uy"},
  {1,0x51,N,G,0,"vsqrtps","Vy,Wy"}, {1,0x51,P66,G,0,"vsqrtpd","Vy,Wy"},
  {1,0x51,F3,G,0,"vsqrtss","Vx,Hx,Wd"}, {1,0x51,F2,G,0,"vsqrtsd","Vx,Hx,Wq"},
  {1,0x52,N,G,0,"vrsqrtps","Vy,Wy"}, {1,0x52,F3,G,0,"vrsqrtss","Vx,Hx,Wd"},
  {1,0x53,N,G,0,"vrcpps","Vy,Wy"}, {1,0x53,F3,G,0,"vrcpss","Vx,Hx,Wd"},
  {1,0x54,N,G,0,"vandps","Vy,Hy,Wy"}, {1,0x54,P66,G,0,"vandpd","Vy,Hy,Wy"},
  {1,0x55,N,G,0,"vandnps","Vy,Hy,Wy"}, {1,0x55,P66,G,0,"vandnpd","Vy,Hy,Wy"},
  {1,0x56,N,G,0,"vorps","Vy,Hy,Wy"}, {1,0x56,P66,G,0,"vorpd","Vy,Hy,Wy"},
  {1,0x57,N,G,0,"vxorps","Vy,Hy,Wy"}, {1,0x57,P66,G,0,"vxorpd","Vy,Hy,Wy"},
  {1,0x58,N,G,0,"vaddps","Vy,Hy,Wy"}, {1,0x58,P66,G,0,"vaddpd","Vy,Hy,Wy"},
  {1,0x58,F3,G,0,"vaddss","Vx,Hx,Wd"}, {1,0x58,F2,G,0,"vaddsd","Vx,Hx,Wq"},
  {1,0x59,N,G,0,"vmulps","Vy,Hy,Wy"}, {1,0x59,P66,G,0,"vmulpd","Vy,Hy,Wy"},
  {1,0x59,F3,G,0,"vmulss","Vx,Hx,Wd"}, {1,0x59,F2,G,0,"vmulsd","Vx,Hx,Wq"},
  {1,0x5A,N,G,0,"vcvtps2pd","Vy,Wh"}, {1,0x5A,P66,G,0,"vcvtpd2ps","Vx,Wy"},
  {1,0x5A,F3,G,0,"vcvtss2sd","Vx,Hx,Wd"}, {1,0x5A,F2,G,0,"vcvtsd2ss","Vx,Hx,Wq"},
  {1,0x5B,N,G,0,"vcvtdq2ps","Vy,Wy"}, {1,0x5B,P66,G,0,"vcvtps2dq","Vy,Wy"},
  {1,0x5B,F3,G,0,"vcvttps2dq","Vy,Wy"},
  {1,0x5C,N,G,0,"vsubps","Vy,Hy,Wy"}, {1,0x5C,P66,G,0,"vsubpd","Vy,Hy,Wy"},
  {1,0x5C,F3,G,0,"vsubss","Vx,Hx,Wd"}, {1,0x5C,F2,G,0,"vsubsd","Vx,Hx,Wq"},
  {1,0x5D,N,G,0,"vminps","Vy,Hy,Wy"}, {1,0x5D,P66,G,0,"vminpd","Vy,Hy,Wy"},
  {1,0x5D,F3,G,0,"vminss","Vx,Hx,Wd"}, {1,0x5D,F2,G,0,"vminsd","Vx,Hx,Wq"},
  {1,0x5E,N,G,0,"vdivps","Vy,Hy,Wy"}, {1,0x5E,P66,G,0,"vdivpd","Vy,Hy,Wy"},
  {1,0x5E,F3,G,0,"vdivss","Vx,Hx,Wd"}, {1,0x5E,F2,G,0,"vdivsd","Vx,Hx,Wq"},
  {1,0x5F,N,G,0,"vmaxps","Vy,Hy,Wy"}, {1,0x5F,P66,G,0,"vmaxpd","Vy,Hy,Wy"},
  {1,0x5F,F3,G,0,"vmaxss","Vx,Hx,Wd"}, {1,0x5F,F2,G,0,"vmaxsd","Vx,Hx,Wq"},
  // 0x0F map: integer
  {1,0x60,P66,G,0,"vpunpcklbw","Vy,Hy,Wy"}, {1,0x61,P66,G,0,"vpunpcklwd","Vy,Hy,Wy"},
  {1,0x62,P66,G,0,"vpunpckldq","Vy,Hy,Wy"}, {1,0x63,P66,G,0,"vpacksswb","Vy,Hy,Wy"},
  {1,0x64,P66,G,0,"vpcmpgtb","Vy,Hy,Wy"}, {1,0x65,P66,G,0,"vpcmpgtw","Vy,Hy,Wy"},
  {1,0x66,P66,G,0,"vpcmpgtd","Vy,Hy,Wy"}, {1,0x67,P66,G,0,"vpackuswb","Vy,Hy,Wy"},
  {1,0x68,P66,G,0,"vpunpckhbw","Vy,Hy,Wy"}, {1,0x69,P66,G,0,"vpunpckhwd","Vy,Hy,Wy"},
  {1,0x6A,P66,G,0,"vpunpckhdq","Vy,Hy,Wy"}, {1,0x6B,P66,G,0,"vpackssdw","Vy,Hy,Wy"},
  {1,0x6C,P66,G,0,"vpunpcklqdq","Vy,Hy,Wy"}, {1,0x6D,P66,G,0,"vpunpckhqdq","Vy,Hy,Wy"},
  {1,0x6E,P66,G,L0,"vmovd","Vx,Ed"},
  {1,0x6F,P66,G,0,"vmovdqa","Vy,Wy"}, {1,0x6F,F3,G,0,"vmovdqu","Vy,Wy"},
  {1,0x70,P66,G,0,"vpshufd","Vy,Wy,Ib"}, {1,0x70,F3,G,0,"vpshufhw","Vy,Wy,Ib"},
  {1,0x70,F2,G,0,"vpshuflw","Vy,Wy,Ib"},
  {1,0x71,P66,2,0,"vpsrlw","Hy,Uy,Ib"}, {1,0x71,P66,4,0,"vpsraw","Hy,Uy,Ib"},
  {1,0x71,P66,6,0,"vpsllw","Hy,Uy,Ib"},
  {1,0x72,P66,2,0,"vpsrld","Hy,Uy,Ib"}, {1,0x72,P66,4,0,"vpsrad","Hy,Uy,Ib"},
  {1,0x72,P66,6,0,"vpslld","Hy,Uy,Ib"},
  {1,0x73,P66,2,0,"vpsrlq","Hy,Uy,Ib"}, {1,0x73,P66,3,0,"vpsrldq","Hy,Uy,Ib"},
  {1,0x73,P66,6,0,"vpsllq","Hy,Uy,Ib"}, {1,0x73,P66,7,0,"vpslldq","Hy,Uy,Ib"},
  {1,0x74,P66,G,0,"vpcmpeqb","Vy,Hy,Wy"}, {1,0x75,P66,G,0,"vpcmpeqw","Vy,Hy,Wy"},
  {1,0x76,P66,G,0,"vpcmpeqd","Vy,Hy,Wy"},
  {1,0x77,N,G,L0,"vzeroupper",""}, {1,0x77,N,G,L1,"vzeroall",""},
  {1,0x7C,P66,G,0,"vhaddpd","Vy,Hy,Wy"}, {1,0x7C,F2,G,0,"vhaddps","Vy,Hy,Wy"},
  {1,0x7D,P66,G,0,"vhsubpd","Vy,Hy,Wy"}, {1,0x7D,F2,G,0,"vhsubps","Vy,Hy,Wy"},
  {1,0x7E,P66,G,L0,"vmovd","Ed,Vx"}, {1,0x7E,F3,G,L0,"vmovq","Vx,Wq"},
  {1,0x7F,P66,G,0,"vmovdqa","Wy,Vy"}, {1,0x7F,F3,G,0,"vmovdqu","Wy,Vy"},
  {1,0xC2,N,G,0,"vcmpps","Vy,Hy,Wy,Ib"}, {1,0xC2,P66,G,0,"vcmppd","Vy,Hy,Wy,Ib"},
  {1,0xC2,F3,G,0,"vcmpss","Vx,Hx,Wd,Ib"}, {1,0xC2,F2,G,0,"vcmpsd","Vx,Hx,Wq,Ib"},
  {1,0xC4,P66,G,L0,"vpinsrw","Vx,Hx,Mw,Ib:Vx,Hx,Rd,Ib"}, {1,0xC5,P66,G,L0,"vpextrw","Gd,Ux,Ib"},
  {1,0xC6,N,G,0,"vshufps","Vy,Hy,Wy,Ib"}, {1,0xC6,P66,G,0,"vshufpd","Vy,Hy,Wy,Ib"},
  {1,0xD0,P66,G,0,"vaddsubpd","Vy,Hy,Wy"}, {1,0xD0,F2,G,0,"vaddsubps","Vy,Hy,Wy"},
  {1,0xD1,P66,G,0,"vpsrlw","Vy,Hy,Wo"}, {1,0xD2,P66,G,0,"vpsrld","Vy,Hy,Wo"},
  {1,0xD3,P66,G,0,"vpsrlq","Vy,Hy,Wo"}, {1,0xD4,P66,G,0,"vpaddq","Vy,Hy,Wy"},
  {1,0xD5,P66,G,0,"vpmullw","Vy,Hy,Wy"}, {1,0xD6,P66,G,L0,"vmovq","Wq,Vx"},
  {1,0xD7,P66,G,0,"vpmovmskb","Gd,Uy"},
  {1,0xD8,P66,G,0,"vpsubusb","Vy,Hy,Wy"}, {1,0xD9,P66,G,0,"vpsubusw","Vy,Hy,Wy"},
  {1,0xDA,P66,G,0,"vpminub","Vy,Hy,Wy"}, {1,0xDB,P66,G,0,"vpand","Vy,Hy,Wy"},
  {1,0xDC,P66,G,0,"vpaddusb","Vy,Hy,Wy"}, {1,0xDD,P66,G,0,"vpaddusw","Vy,Hy,Wy"},
  {1,0xDE,P66,G,0,"vpmaxub","Vy,Hy,Wy"}, {1,0xDF,P66,G,0,"vpandn","Vy,Hy,Wy"},
  {1,0xE0,P66,G,0,"vpavgb","Vy,Hy,Wy"}, {1,0xE1,P66,G,0,"vpsraw","Vy,Hy,Wo"},
  {1,0xE2,P66,G,0,"vpsrad","Vy,Hy,Wo"}, {1,0xE3,P66,G,0,"vpavgw","Vy,Hy,Wy"},
  {1,0xE4,P66,G,0,"vpmulhuw","Vy,Hy,Wy"}, {1,0xE5,P66,G,0,"vpmulhw","Vy,Hy,Wy"},
  {1,0xE6,P66,G,0,"vcvttpd2dq","Vx,Wy"}, {1,0xE6,F3,G,0,"vcvtdq2pd","Vy,Wh"},
  {1,0xE6,F2,G,0,"vcvtpd2dq","Vx,Wy"}, {1,0xE7,P66,G,0,"vmovntdq","My,Vy"},
  {1,0xE8,P66,G,0,"vpsubsb","Vy,Hy,Wy"}, {1,0xE9,P66,G,0,"vpsubsw","Vy,Hy,Wy"},
  {1,0xEA,P66,G,0,"vpminsw","Vy,Hy,Wy"}, {1,0xEB,P66,G,0,"vpor","Vy,Hy,Wy"},
  {1,0xEC,P66,G,0,"vpaddsb","Vy,Hy,Wy"}, {1,0xED,P66,G,0,"vpaddsw","Vy,Hy,Wy"},
  {1,0xEE,P66,G,0,"vpmaxsw","Vy,Hy,Wy"}, {1,0xEF,P66,G,0,"vpxor","Vy,Hy,Wy"},
  {1,0xF0,F2,G,0,"vlddqu","Vy,My"},
  {1,0xF1,P66,G,0,"vpsllw","Vy,Hy,Wo"}, {1,0xF2,P66,G,0,"vpslld","Vy,Hy,Wo"},
  {1,0xF3,P66,G,0,"vpsllq","Vy,Hy,Wo"}, {1,0xF4,P66,G,0,"vpmuludq","Vy,Hy,Wy"},
  {1,0xF5,P66,G,0,"vpmaddwd","Vy,Hy,Wy"}, {1,0xF6,P66,G,0,"vpsadbw","Vy,Hy,Wy"},
  {1,0xF7,P66,G,L0,"vmaskmovdqu","Vx,Ux"},
  {1,0xF8,P66,G,0,"vpsubb","Vy,Hy,Wy"}, {1,0xF9,P66,G,0,"vpsubw","Vy,Hy,Wy"},
  {1,0xFA,P66,G,0,"vpsubd","Vy,Hy,Wy"}, {1,0xFB,P66,G,0,"vpsubq","Vy,Hy,Wy"},
  {1,0xFC,P66,G,0,"vpaddb","Vy,Hy,Wy"}, {1,0xFD,P66,G,0,"vpaddw","Vy,Hy,Wy"},
  {1,0xFE,P66,G,0,"vpaddd","Vy,Hy,Wy"},
  // 0x0F 0x38 map
  {2,0x00,P66,G,0,"vpshufb","Vy,Hy,Wy"}, {2,0x01,P66,G,0,"vphaddw","Vy,Hy,Wy"},
  {2,0x02,P66,G,0,"vphaddd","Vy,Hy,Wy"}, {2,0x03,P66,G,0,"vphaddsw","Vy,Hy,Wy"},
  {2,0x04,P66,G,0,"vpmaddubsw","Vy,Hy,Wy"}, {2,0x05,P66,G,0,"vphsubw","Vy,Hy,Wy"},
  {2,0x06,P66,G,0,"vphsubd","Vy,Hy,Wy"}, {2,0x07,P66,G,0,"vphsubsw","Vy,Hy,Wy"},
  {2,0x08,P66,G,0,"vpsignb","Vy,Hy,Wy"}, {2,0x09,P66,G,0,"vpsignw","Vy,Hy,Wy"},
  {2,0x0A,P66,G,0,"vpsignd","Vy,Hy,Wy"}, {2,0x0B,P66,G,0,"vpmulhrsw","Vy,Hy,Wy"},
  {2,0x0C,P66,G,W0,"vpermilps","Vy,Hy,Wy"}, {2,0x0D,P66,G,W0,"vpermilpd","Vy,Hy,Wy"},
  {2,0x0E,P66,G,W0,"vtestps","Vy,Wy"}, {2,0x0F,P66,G,W0,"vtestpd","Vy,Wy"},
  {2,0x13,P66,G,W0,"vcvtph2ps","Vy,Wh"}, {2,0x16,P66,G,L1|W0,"vpermps","Vy,Hy,Wy"},
  {2,0x17,P66,G,0,"vptest","Vy,Wy"},
  {2,0x18,P66,G,W0,"vbroadcastss","Vy,Wd"}, {2,0x19,P66,G,L1|W0,"vbroadcastsd","Vy,Wq"},
  {2,0x1A,P66,G,L1|W0,"vbroadcastf128","Vy,Mo"},
  {2,0x1C,P66,G,0,"vpabsb","Vy,Wy"}, {2,0x1D,P66,G,0,"vpabsw","Vy,Wy"}, {2,0x1E,P66,G,0,"vpabsd","Vy,Wy"},
  {2,0x20,P66,G,0,"vpmovsxbw","Vy,Wh"}, {2,0x21,P66,G,0,"vpmovsxbd","Vy,Wf"},
  {2,0x22,P66,G,0,"vpmovsxbq","Vy,We"}, {2,0x23,P66,G,0,"vpmovsxwd","Vy,Wh"},
  {2,0x24,P66,G,0,"vpmovsxwq","Vy,Wf"}, {2,0x25,P66,G,0,"vpmovsxdq","Vy,Wh"},
  {2,0x28,P66,G,0,"vpmuldq","Vy,Hy,Wy"}, {2,0x29,P66,G,0,"vpcmpeqq","Vy,Hy,Wy"},
  {2,0x2A,P66,G,0,"vmovntdqa","Vy,My"}, {2,0x2B,P66,G,0,"vpackusdw","Vy,Hy,Wy"},
  {2,0x2C,P66,G,W0,"vmaskmovps","Vy,Hy,My"}, {2,0x2D,P66,G,W0,"vmaskmovpd","Vy,Hy,My"},
  {2,0x2E,P66,G,W0,"vmaskmovps","My,Hy,Vy"}, {2,0x2F,P66,G,W0,"vmaskmovpd","My,Hy,Vy"},
  {2,0x30,P66,G,0,"vpmovzxbw","Vy,Wh"}, {2,0x31,P66,G,0,"vpmovzxbd","Vy,Wf"},
  {2,0x32,P66,G,0,"vpmovzxbq","Vy,We"}, {2,0x33,P66,G,0,"vpmovzxwd","Vy,Wh"},
  {2,0x34,P66,G,0,"vpmovzxwq","Vy,Wf"}, {2,0x35,P66,G,0,"vpmovzxdq","Vy,Wh"},
  {2,0x36,P66,G,L1|W0,"vpermd","Vy,Hy,Wy"}, {2,0x37,P66,G,0,"vpcmpgtq","Vy,Hy,Wy"},
  {2,0x38,P66,G,0,"vpminsb","Vy,Hy,Wy"}, {2,0x39,P66,G,0,"vpminsd","Vy,Hy,Wy"},
  {2,0x3A,P66,G,0,"vpminuw","Vy,Hy,Wy"}, {2,0x3B,P66,G,0,"vpminud","Vy,Hy,Wy"},
  {2,0x3C,P66,G,0,"vpmaxsb","Vy,Hy,Wy"}, {2,0x3D,P66,G,0,"vpmaxsd","Vy,Hy,Wy"},
  {2,0x3E,P66,G,0,"vpmaxuw","Vy,Hy,Wy"}, {2,0x3F,P66,G,0,"vpmaxud","Vy,Hy,Wy"},
  {2,0x40,P66,G,0,"vpmulld","Vy,Hy,Wy"}, {2,0x41,P66,G,L0,"vphminposuw","Vx,Wo"},
  {2,0x45,P66,G,W0,"vpsrlvd","Vy,Hy,Wy"}, {2,0x45,P66,G,W1,"vpsrlvq","Vy,Hy,Wy"},
  {2,0x46,P66,G,W0,"vpsravd","Vy,Hy,Wy"},
  {2,0x47,P66,G,W0,"vpsllvd","Vy,Hy,Wy"}, {2,0x47,P66,G,W1,"vpsllvq","Vy,Hy,Wy"},
  {2,0x58,P66,G,W0,"vpbroadcastd","Vy,Wd"}, {2,0x59,P66,G,W0,"vpbroadcastq","Vy,Wq"},
  {2,0x5A,P66,G,L1|W0,"vbroadcasti128","Vy,Mo"},
  {2,0x78,P66,G,W0,"vpbroadcastb","Vy,Wb"}, {2,0x79,P66,G,W0,"vpbroadcastw","Vy,Ww"},
  {2,0x8C,P66,G,W0,"vpmaskmovd","Vy,Hy,My"}, {2,0x8C,P66,G,W1,"vpmaskmovq","Vy,Hy,My"},
  {2,0x8E,P66,G,W0,"vpmaskmovd","My,Hy,Vy"}, {2,0x8E,P66,G,W1,"vpmaskmovq","My,Hy,Vy"},
  // BMI1, BMI2: general registers, vvvv one of them (Hd)
  {2,0xF2,N,G,L0,"andn","Gd,Hd,Ed"}, {2,0xF3,N,1,L0,"blsr","Hd,Ed"},
  {2,0xF3,N,2,L0,"blsmsk","Hd,Ed"}, {2,0xF3,N,3,L0,"blsi","Hd,Ed"},
  {2,0xF5,N,G,L0,"bzhi","Gd,Ed,Hd"}, {2,0xF5,F3,G,L0,"pext","Gd,Hd,Ed"},
  {2,0xF5,F2,G,L0,"pdep","Gd,Hd,Ed"}, {2,0xF6,F2,G,L0,"mulx","Gd,Hd,Ed"},
  {2,0xF7,N,G,L0,"bextr","Gd,Ed,Hd"}, {2,0xF7,P66,G,L0,"shlx","Gd,Ed,Hd"},
  {2,0xF7,F3,G,L0,"sarx","Gd,Ed,Hd"}, {2,0xF7,F2,G,L0,"shrx","Gd,Ed,Hd"},
  {2,0xDB,P66,G,L0,"vaesimc","Vx,Wo"},
  {2,0xDC,P66,G,0,"vaesenc","Vy,Hy,Wy"}, {2,0xDD,P66,G,0,"vaesenclast","Vy,Hy,Wy"},
  {2,0xDE,P66,G,0,"vaesdec","Vy,Hy,Wy"}, {2,0xDF,P66,G,0,"vaesdeclast","Vy,Hy,Wy"},
  // 0x0F 0x3A map (all with an immediate byte)
  {3,0x00,P66,G,L1|W1,"vpermq","Vy,Wy,Ib"}, {3,0x01,P66,G,L1|W1,"vpermpd","Vy,Wy,Ib"},
  {3,0x02,P66,G,W0,"vpblendd","Vy,Hy,Wy,Ib"},
  {3,0x04,P66,G,W0,"vpermilps","Vy,Wy,Ib"}, {3,0x05,P66,G,W0,"vpermilpd","Vy,Wy,Ib"},
  {3,0x06,P66,G,L1|W0,"vperm2f128","Vy,Hy,Wy,Ib"},
  {3,0x08,P66,G,0,"vroundps","Vy,Wy,Ib"}, {3,0x09,P66,G,0,"vroundpd","Vy,Wy,Ib"},
  {3,0x0A,P66,G,0,"vroundss","Vx,Hx,Wd,Ib"}, {3,0x0B,P66,G,0,"vroundsd","Vx,Hx,Wq,Ib"},
  {3,0x0C,P66,G,0,"vblendps","Vy,Hy,Wy,Ib"}, {3,0x0D,P66,G,0,"vblendpd","Vy,Hy,Wy,Ib"},
  {3,0x0E,P66,G,0,"vpblendw","Vy,Hy,Wy,Ib"}, {3,0x0F,P66,G,0,"vpalignr","Vy,Hy,Wy,Ib"},
  {3,0x14,P66,G,L0,"vpextrb","Mb,Vx,Ib:Rd,Vx,Ib"}, {3,0x15,P66,G,L0,"vpextrw","Mw,Vx,Ib:Rd,Vx,Ib"},
  {3,0x16,P66,G,L0,"vpextrd","Ed,Vx,Ib"}, {3,0x17,P66,G,L0,"vextractps","Ed,Vx,Ib"},
  {3,0x18,P66,G,L1|W0,"vinsertf128","Vy,Hy,Wo,Ib"}, {3,0x19,P66,G,L1|W0,"vextractf128","Wo,Vy,Ib"},
  {3,0x1D,P66,G,W0,"vcvtps2ph","Wh,Vy,Ib"},
  {3,0x20,P66,G,L0,"vpinsrb","Vx,Hx,Mb,Ib:Vx,Hx,Rd,Ib"}, {3,0x21,P66,G,L0,"vinsertps","Vx,Hx,Wd,Ib"},
  {3,0x22,P66,G,L0,"vpinsrd","Vx,Hx,Ed,Ib"},
  {3,0x38,P66,G,L1|W0,"vinserti128","Vy,Hy,Wo,Ib"}, {3,0x39,P66,G,L1|W0,"vextracti128","Wo,Vy,Ib"},
  {3,0x40,P66,G,0,"vdpps","Vy,Hy,Wy,Ib"}, {3,0x41,P66,G,L0,"vdppd","Vx,Hx,Wo,Ib"},
  {3,0x42,P66,G,0,"vmpsadbw","Vy,Hy,Wy,Ib"}, {3,0x44,P66,G,0,"vpclmulqdq","Vy,Hy,Wy,Ib"},
  {3,0x46,P66,G,L1|W0,"vperm2i128","Vy,Hy,Wy,Ib"},
  {3,0x4A,P66,G,W0,"vblendvps","Vy,Hy,Wy,Ly"}, {3,0x4B,P66,G,W0,"vblendvpd","Vy,Hy,Wy,Ly"},
  {3,0x4C,P66,G,W0,"vpblendvb","Vy,Hy,Wy,Ly"},
  {3,0x60,P66,G,L0,"vpcmpestrm","Vx,Wo,Ib"}, {3,0x61,P66,G,L0,"vpcmpestri","Vx,Wo,Ib"},
  {3,0x62,P66,G,L0,"vpcmpistrm","Vx,Wo,Ib"}, {3,0x63,P66,G,L0,"vpcmpistri","Vx,Wo,Ib"},
  {3,0xDF,P66,G,L0,"vaeskeygenassist","Vx,Wo,Ib"},
  {3,0xF0,F2,G,L0,"rorx","Gd,Ed,Ib"},
};
// clang-format on
}  // namespace

VexMatch FindVex(uint8_t map, uint8_t op, uint8_t prefix, uint8_t reg, bool w, bool l, const VexDef*& def) {
  VexMatch result = VexMatch::Unknown;
  for (const VexDef& v : kVex) {
    if (v.Map != map || v.Op != op) continue;
    result = VexMatch::WrongForm;
    if (v.Prefix != prefix || (v.Reg != kVexNoGroup && v.Reg != reg)) continue;
    if ((v.Form & kVexW0 && w) || (v.Form & kVexW1 && !w)) continue;
    if ((v.Form & kVexL0 && l) || (v.Form & kVexL1 && !l)) continue;
    def = &v;
    return VexMatch::Found;
  }
  return result;
}

bool FmaName(uint8_t op, bool w, char* out, int size) {
  const uint8_t row = op >> 4, col = op & 15;
  if (row < 9 || row > 11 || col < 6) return false;
  static const char* const kKinds[10] = {"fmaddsub", "fmsubadd", "fmadd",  "fmadd",  "fmsub",
                                         "fmsub",    "fnmadd",   "fnmadd", "fnmsub", "fnmsub"};
  static const char* const kOrder[3] = {"132", "213", "231"};
  const bool scalar = col >= 8 && (col & 1);
  std::snprintf(out, size_t(size), "v%s%s%s", kKinds[col - 6], kOrder[row - 9],
                scalar ? (w ? "sd" : "ss") : (w ? "pd" : "ps"));
  return true;
}

}  // namespace quor::tables
