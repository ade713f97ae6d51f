// Decoding single instructions: lengths, texts, targets, validity.
#include "report/disasm/quorDisAsm.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kBase = 0x00401000;

struct Code {
  quor::TBufferReader reader;
  quor::TMemorySnapshot snapshot;
  explicit Code(std::vector<uint8_t> bytes, uint32_t base = kBase)
      : reader(base, std::move(bytes)), snapshot(quor::BufferSnapshot(reader)) {}
};

std::string Text(const std::vector<uint8_t>& bytes, uint32_t* length = nullptr) {
  Code c(bytes);
  quor::TDecoded d;
  quor::DecodeInstructionFull(kBase, &c.snapshot, nullptr, d);
  if (length) *length = d.Info.Valid ? d.Info.Length() : 0;
  return d.Info.Valid ? quor::InstructionText(d) : "invalid";
}

TEST(DecodeInstruction, LengthsAndTexts) {
  const struct {
    std::vector<uint8_t> bytes;
    uint32_t length;
    const char* text;
  } cases[] = {
      {{0x55}, 1, "push    ebp"},
      {{0x8B, 0xEC}, 2, "mov     ebp, esp"},
      {{0x8B, 0x45, 0x08}, 3, "mov     eax, [ebp+8]"},
      {{0x8B, 0x45, 0xF0}, 3, "mov     eax, [ebp-$10]"},
      {{0xC7, 0x45, 0xFC, 0x00, 0x00, 0x00, 0x00}, 7, "mov     dword ptr [ebp-4], 0"},
      {{0x83, 0xEC, 0x10}, 3, "sub     esp, $10"},
      {{0x83, 0xC4, 0xF0}, 3, "add     esp, -$10"},
      {{0x66, 0x89, 0x08}, 3, "mov     [eax], cx"},
      {{0x66, 0xC7, 0x00, 0x34, 0x12}, 5, "mov     word ptr [eax], $1234"},
      {{0x8B, 0x04, 0x8D, 0x00, 0x20, 0x40, 0x00}, 7, "mov     eax, [ecx*4+$402000]"},
      {{0x8B, 0x44, 0x24, 0x04}, 4, "mov     eax, [esp+4]"},
      {{0x8B, 0x04, 0x24}, 3, "mov     eax, [esp]"},
      {{0x8B, 0x44, 0x8B, 0x10}, 4, "mov     eax, [ebx+ecx*4+$10]"},
      {{0x8B, 0x05, 0x00, 0x20, 0x40, 0x00}, 6, "mov     eax, [$402000]"},
      {{0x64, 0x8B, 0x05, 0x00, 0x00, 0x00, 0x00}, 7, "mov     eax, fs:[0]"},
      {{0x64, 0xFF, 0x30}, 3, "push    dword ptr fs:[eax]"},
      {{0x67, 0x8B, 0x00}, 3, "mov     eax, [bx+si]"},
      {{0x67, 0x8B, 0x46, 0x02}, 4, "mov     eax, [bp+2]"},
      {{0x67, 0x8B, 0x06, 0x34, 0x12}, 5, "mov     eax, [$1234]"},
      {{0x67, 0x8B, 0x87, 0x00, 0x01}, 5, "mov     eax, [bx+$100]"},
      {{0xA1, 0x00, 0x20, 0x40, 0x00}, 5, "mov     eax, [$402000]"},
      {{0x67, 0xA1, 0x00, 0x20}, 4, "mov     eax, [$2000]"},
      {{0x9A, 1, 2, 3, 4, 5, 6}, 7, "call    $605:$4030201"},
      {{0x66, 0xEA, 1, 2, 3, 4}, 6, "jmp     $403:$201"},
      {{0xC8, 0x10, 0x00, 0x01}, 4, "enter   $10, 1"},
      {{0xC2, 0x08, 0x00}, 3, "ret     8"},
      {{0xD1, 0xE0}, 2, "shl     eax, 1"},
      {{0xD3, 0xF8}, 2, "sar     eax, cl"},
      {{0x0F, 0xA5, 0xD0}, 3, "shld    eax, edx, cl"},
      {{0xF6, 0xC1, 0x01}, 3, "test    cl, 1"},
      {{0xF7, 0xC1, 0x00, 0x01, 0x00, 0x00}, 6, "test    ecx, $100"},
      {{0xF7, 0xF1}, 2, "div     ecx"},
      {{0x0F, 0xB6, 0x00}, 3, "movzx   eax, byte ptr [eax]"},
      {{0x0F, 0xBF, 0xC1}, 3, "movsx   eax, cx"},
      {{0xF3, 0xA5}, 2, "rep movsd"},
      {{0xF2, 0xAE}, 2, "repne scasb"},
      {{0xF0, 0x0F, 0xB1, 0x0A}, 4, "lock cmpxchg [edx], ecx"},
      {{0x0F, 0x1F, 0x44, 0x00, 0x00}, 5, "nop     dword ptr [eax+eax]"},
      {{0x66, 0x0F, 0x1F, 0x84, 0x00, 0, 0, 0, 0}, 9, "nop     word ptr [eax+eax]"},
      {{0x0F, 0x94, 0xC0}, 3, "setz    al"},
      {{0x0F, 0x4C, 0xC1}, 3, "cmovl   eax, ecx"},
      // x87
      {{0xDD, 0x45, 0xF8}, 3, "fld     qword ptr [ebp-8]"},
      {{0xD9, 0xC9}, 2, "fxch    st(1)"},
      {{0xDE, 0xC9}, 2, "fmulp   st(1), st"},
      {{0xD8, 0xC1}, 2, "fadd    st, st(1)"},
      {{0xDF, 0xE0}, 2, "fnstsw  ax"},
      {{0xD9, 0xE8}, 2, "fld1"},
      {{0xDB, 0x7D, 0xF0}, 3, "fstp    tbyte ptr [ebp-$10]"},
      {{0xD9, 0x7D, 0xFE}, 3, "fnstcw  word ptr [ebp-2]"},
      {{0xDF, 0x6D, 0xF0}, 3, "fild    qword ptr [ebp-$10]"},
      // SSE, SSE2, MMX, 3DNow!
      {{0x0F, 0x28, 0xC1}, 3, "movaps  xmm0, xmm1"},
      {{0xF3, 0x0F, 0x10, 0x45, 0x08}, 5, "movss   xmm0, dword ptr [ebp+8]"},
      {{0xF2, 0x0F, 0x58, 0xC1}, 4, "addsd   xmm0, xmm1"},
      {{0x66, 0x0F, 0x58, 0x00}, 4, "addpd   xmm0, [eax]"},
      {{0x0F, 0x58, 0x00}, 3, "addps   xmm0, [eax]"},
      {{0x66, 0x0F, 0xEF, 0xC0}, 4, "pxor    xmm0, xmm0"},
      {{0x0F, 0xEF, 0xC0}, 3, "pxor    mm0, mm0"},
      {{0x66, 0x0F, 0x6F, 0x00}, 4, "movdqa  xmm0, [eax]"},
      {{0xF3, 0x0F, 0x7E, 0x00}, 4, "movq    xmm0, qword ptr [eax]"},
      {{0x66, 0x0F, 0xD6, 0x00}, 4, "movq    qword ptr [eax], xmm0"},
      {{0x0F, 0x6E, 0xC0}, 3, "movd    mm0, eax"},
      {{0x66, 0x0F, 0x7E, 0xC0}, 4, "movd    eax, xmm0"},
      {{0xF2, 0x0F, 0x2A, 0xC0}, 4, "cvtsi2sd xmm0, eax"},
      {{0xF2, 0x0F, 0x2C, 0xC0}, 4, "cvttsd2si eax, xmm0"},
      {{0x0F, 0x70, 0xC1, 0x1B}, 4, "pshufw  mm0, mm1, $1b"},
      {{0x66, 0x0F, 0x73, 0xD8, 0x08}, 5, "psrldq  xmm0, 8"},
      {{0x0F, 0xC2, 0xC1, 0x01}, 4, "cmpps   xmm0, xmm1, 1"},
      {{0x0F, 0x0F, 0xC1, 0x9E}, 4, "pfadd   mm0, mm1"},
      {{0x66, 0x0F, 0x38, 0x00, 0xC1}, 5, "pshufb  xmm0, xmm1"},
      {{0x66, 0x0F, 0x3A, 0x0F, 0xC1, 0x04}, 6, "palignr xmm0, xmm1, 4"},
      {{0x0F, 0xAE, 0xF0}, 3, "mfence"},
      {{0x0F, 0xAE, 0x5D, 0xFC}, 4, "stmxcsr dword ptr [ebp-4]"},
      {{0xF3, 0x0F, 0xB8, 0xC1}, 4, "popcnt  eax, ecx"},
      {{0x0F, 0x01, 0xD0}, 3, "xgetbv"},
      {{0x0F, 0x20, 0xC0}, 3, "mov     eax, cr0"},
      {{0x0F, 0x20, 0x00}, 3, "mov     eax, cr0"},  // mod is ignored
      {{0x8C, 0xD8}, 2, "mov     eax, ds"},
      {{0x8E, 0xD8}, 2, "mov     ds, ax"},
      {{0x8C, 0x18}, 2, "mov     [eax], ds"},  // a segment register is stored as a word
      {{0x62, 0x00}, 2, "bound   eax, qword ptr [eax]"},
      {{0x66, 0x62, 0x00}, 3, "bound   ax, dword ptr [eax]"},
      {{0x66, 0x0F, 0xC4, 0x00, 0x05}, 5, "pinsrw  xmm0, word ptr [eax], 5"},
      {{0x0F, 0xC4, 0xC1, 0x05}, 4, "pinsrw  mm0, ecx, 5"},
      {{0x66, 0x0F, 0x38, 0x20, 0x00}, 5, "pmovsxbw xmm0, qword ptr [eax]"},
      {{0x66, 0x0F, 0x38, 0x32, 0x00}, 5, "pmovzxbq xmm0, word ptr [eax]"},
      {{0x66, 0x0F, 0x3A, 0x0A, 0x00, 0x01}, 6, "roundss xmm0, dword ptr [eax], 1"},
      {{0x66, 0x0F, 0x3A, 0x16, 0xC1, 0x01}, 6, "pextrd  ecx, xmm0, 1"},
      {{0x66, 0x0F, 0x3A, 0x14, 0x00, 0x01}, 6, "pextrb  byte ptr [eax], xmm0, 1"},
      {{0x66, 0x0F, 0x3A, 0x20, 0xC1, 0x02}, 6, "pinsrb  xmm0, ecx, 2"},
      {{0xF2, 0x0F, 0x38, 0xF1, 0xC1}, 5, "crc32   eax, ecx"},
      {{0x0F, 0x02, 0xC1}, 3, "lar     eax, ecx"},
      {{0x66, 0xC4, 0x00}, 3, "les     ax, dword ptr [eax]"},
      {{0x66, 0x0F, 0x78, 0xC1, 0x04, 0x08}, 6, "extrq   xmm1, 4, 8"},
      {{0xF2, 0x0F, 0x2B, 0x00}, 4, "movntsd qword ptr [eax], xmm0"},
      {{0x66, 0x0F, 0xBC, 0xC1}, 4, "bsf     ax, cx"},
      {{0x66, 0x0F, 0xBD, 0x00}, 4, "bsr     ax, [eax]"},
      {{0xF3, 0x0F, 0xBC, 0xC1}, 4, "tzcnt   eax, ecx"},
      {{0x0F, 0x0D, 0x10}, 3, "prefetchwt1 byte ptr [eax]"},
      {{0x66, 0x0F, 0xAE, 0x30}, 4, "clwb    byte ptr [eax]"},
      {{0x66, 0x0F, 0xAE, 0x38}, 4, "clflushopt byte ptr [eax]"},
      {{0x0F, 0xAE, 0x38}, 3, "clflush byte ptr [eax]"},
      {{0x66, 0x0F, 0xAE, 0xF1}, 4, "tpause  ecx"},
      {{0xF3, 0x0F, 0x09}, 3, "wbnoinvd"},
      {{0xF3, 0xC3}, 2, "rep ret"},
      {{0xF3, 0x90}, 2, "pause"},
      // AES-NI, SHA, ADX
      {{0x66, 0x0F, 0x38, 0xDC, 0xC1}, 5, "aesenc  xmm0, xmm1"},
      {{0x66, 0x0F, 0x38, 0xDD, 0x00}, 5, "aesenclast xmm0, [eax]"},
      {{0x66, 0x0F, 0x38, 0xDE, 0xC1}, 5, "aesdec  xmm0, xmm1"},
      {{0x66, 0x0F, 0x38, 0xDF, 0xC1}, 5, "aesdeclast xmm0, xmm1"},
      {{0x66, 0x0F, 0x38, 0xDB, 0xC1}, 5, "aesimc  xmm0, xmm1"},
      {{0x66, 0x0F, 0x3A, 0xDF, 0xC1, 0x01}, 6, "aeskeygenassist xmm0, xmm1, 1"},
      {{0x0F, 0x3A, 0xCC, 0xC1, 0x01}, 5, "sha1rnds4 xmm0, xmm1, 1"},
      {{0x0F, 0x38, 0xC8, 0xC1}, 4, "sha1nexte xmm0, xmm1"},
      {{0x0F, 0x38, 0xC9, 0x00}, 4, "sha1msg1 xmm0, [eax]"},
      {{0x0F, 0x38, 0xCA, 0xC1}, 4, "sha1msg2 xmm0, xmm1"},
      {{0x0F, 0x38, 0xCB, 0xC1}, 4, "sha256rnds2 xmm0, xmm1, xmm0"},
      {{0x0F, 0x38, 0xCC, 0xC1}, 4, "sha256msg1 xmm0, xmm1"},
      {{0x0F, 0x38, 0xCD, 0xC1}, 4, "sha256msg2 xmm0, xmm1"},
      {{0x66, 0x0F, 0x38, 0xF6, 0xC1}, 5, "adcx    eax, ecx"},
      {{0xF3, 0x0F, 0x38, 0xF6, 0x00}, 5, "adox    eax, [eax]"},
      {{0x66, 0xF3, 0x0F, 0x38, 0xF6, 0xC1}, 6, "adox    eax, ecx"},
  };
  for (const auto& c : cases) {
    uint32_t length = 0;
    EXPECT_EQ(Text(c.bytes, &length), c.text) << testing::PrintToString(c.bytes);
    EXPECT_EQ(length, c.length) << c.text;
  }
}

// VEX forms: lengths and texts as objdump's Intel syntax, in our notation
// (ymm operands of 32 bytes are "yword"; a size is written where no register
// operand implies it).
TEST(DecodeInstruction, VexForms) {
  const struct {
    std::vector<uint8_t> bytes;
    uint32_t length;
    const char* text;
  } cases[] = {
      {{0xC5, 0xFD, 0x6F, 0xC1}, 4, "vmovdqa ymm0, ymm1"},
      {{0xC5, 0xF9, 0x6F, 0xC1}, 4, "vmovdqa xmm0, xmm1"},
      {{0xC5, 0xFE, 0x6F, 0x00}, 4, "vmovdqu ymm0, [eax]"},
      {{0xC5, 0xFD, 0x7F, 0x44, 0x24, 0x20}, 6, "vmovdqa [esp+$20], ymm0"},
      {{0xC5, 0xFD, 0xE7, 0x00}, 4, "vmovntdq [eax], ymm0"},
      {{0xC5, 0xF5, 0xFD, 0xC2}, 4, "vpaddw  ymm0, ymm1, ymm2"},
      {{0xC5, 0xF5, 0xFE, 0x00}, 4, "vpaddd  ymm0, ymm1, [eax]"},
      {{0xC5, 0xF5, 0xF5, 0xC2}, 4, "vpmaddwd ymm0, ymm1, ymm2"},
      {{0xC5, 0xF5, 0xEF, 0xC2}, 4, "vpxor   ymm0, ymm1, ymm2"},
      // three-byte form of the same instruction: W and B ignored here
      {{0xC4, 0xE1, 0x75, 0xFD, 0xC2}, 5, "vpaddw  ymm0, ymm1, ymm2"},
      {{0xC4, 0xC1, 0xF5, 0xFD, 0xC2}, 5, "vpaddw  ymm0, ymm1, ymm2"},
      // vvvv's top bit has no register in 32-bit mode
      {{0xC4, 0xE1, 0x35, 0xFD, 0xC2}, 5, "vpaddw  ymm0, ymm1, ymm2"},
      // group forms: vvvv is the destination
      {{0xC5, 0xED, 0x71, 0xD1, 0x04}, 5, "vpsrlw  ymm2, ymm1, 4"},
      {{0xC5, 0xFD, 0x72, 0xE1, 0x10}, 5, "vpsrad  ymm0, ymm1, $10"},
      {{0xC5, 0xFD, 0x73, 0xF9, 0x08}, 5, "vpslldq ymm0, ymm1, 8"},
      {{0xC5, 0xF5, 0xD1, 0xC2}, 4, "vpsrlw  ymm0, ymm1, xmm2"},
      {{0xC5, 0xF9, 0x6E, 0xC0}, 4, "vmovd   xmm0, eax"},
      {{0xC5, 0xF9, 0x7E, 0x00}, 4, "vmovd   dword ptr [eax], xmm0"},
      {{0xC5, 0xFA, 0x7E, 0x00}, 4, "vmovq   xmm0, qword ptr [eax]"},
      {{0xC5, 0xF9, 0xD6, 0x00}, 4, "vmovq   qword ptr [eax], xmm0"},
      {{0xC5, 0xFD, 0xD7, 0xC1}, 4, "vpmovmskb eax, ymm1"},
      {{0xC5, 0xF8, 0x77}, 3, "vzeroupper"},
      {{0xC5, 0xFC, 0x77}, 3, "vzeroall"},
      {{0xC5, 0xFD, 0x70, 0xC1, 0x1B}, 5, "vpshufd ymm0, ymm1, $1b"},
      // three-byte maps
      {{0xC4, 0xE2, 0x75, 0x00, 0xC2}, 5, "vpshufb ymm0, ymm1, ymm2"},
      {{0xC4, 0xE2, 0x7D, 0x78, 0x00}, 5, "vpbroadcastb ymm0, byte ptr [eax]"},
      {{0xC4, 0xE2, 0x7D, 0x58, 0xC1}, 5, "vpbroadcastd ymm0, xmm1"},
      {{0xC4, 0xE2, 0x7D, 0x30, 0x00}, 5, "vpmovzxbw ymm0, oword ptr [eax]"},
      {{0xC4, 0xE2, 0x79, 0x32, 0x00}, 5, "vpmovzxbq xmm0, word ptr [eax]"},
      {{0xC4, 0xE3, 0xFD, 0x00, 0xC1, 0xD8}, 6, "vpermq  ymm0, ymm1, $d8"},
      {{0xC4, 0xE3, 0x75, 0x46, 0xC2, 0x20}, 6, "vperm2i128 ymm0, ymm1, ymm2, $20"},
      {{0xC4, 0xE3, 0x75, 0x38, 0xC2, 0x01}, 6, "vinserti128 ymm0, ymm1, xmm2, 1"},
      {{0xC4, 0xE3, 0x7D, 0x39, 0x00, 0x01}, 6, "vextracti128 oword ptr [eax], ymm0, 1"},
      // four operands: the last register in the immediate's top bits
      {{0xC4, 0xE3, 0x75, 0x4C, 0xC2, 0x30}, 6, "vpblendvb ymm0, ymm1, ymm2, ymm3"},
      // an immediate after ModR/M, SIB and a 32-bit displacement
      {{0xC4, 0xE3, 0x75, 0x0F, 0x84, 0x88, 0x78, 0x56, 0x34, 0x12, 0x07},
       11,
       "vpalignr ymm0, ymm1, [eax+ecx*4+$12345678], 7"},
      {{0xC4, 0xE3, 0x79, 0x16, 0xC0, 0x01}, 6, "vpextrd eax, xmm0, 1"},
      // segment and address-size prefixes may precede VEX
      {{0x2E, 0xC5, 0xFD, 0x6F, 0x00}, 5, "vmovdqa ymm0, cs:[eax]"},
      {{0x67, 0xC5, 0xFD, 0x6F, 0x00}, 5, "vmovdqa ymm0, [bx+si]"},
      // floating point
      {{0xC5, 0xF4, 0x58, 0xC2}, 4, "vaddps  ymm0, ymm1, ymm2"},
      {{0xC5, 0xF2, 0x59, 0x00}, 4, "vmulss  xmm0, xmm1, dword ptr [eax]"},
      {{0xC5, 0xFA, 0x10, 0x00}, 4, "vmovss  xmm0, dword ptr [eax]"},
      {{0xC5, 0xF2, 0x10, 0xC2}, 4, "vmovss  xmm0, xmm1, xmm2"},
      {{0xC5, 0xFC, 0x28, 0x00}, 4, "vmovaps ymm0, [eax]"},
      {{0xC4, 0xE2, 0x7D, 0x18, 0x00}, 5, "vbroadcastss ymm0, dword ptr [eax]"},
      {{0xC5, 0xF4, 0xC2, 0xC2, 0x01}, 5, "vcmpps  ymm0, ymm1, ymm2, 1"},
      {{0xC5, 0xFD, 0x5A, 0xC1}, 4, "vcvtpd2ps xmm0, ymm1"},
      {{0xC5, 0xFC, 0x5A, 0x00}, 4, "vcvtps2pd ymm0, oword ptr [eax]"},
      {{0xC5, 0xF2, 0x2A, 0xC0}, 4, "vcvtsi2ss xmm0, xmm1, eax"},
      {{0xC5, 0xFD, 0x51, 0xC1}, 4, "vsqrtpd ymm0, ymm1"},
      {{0xC4, 0xE2, 0xF5, 0xB8, 0xC2}, 5, "vfmadd231pd ymm0, ymm1, ymm2"},
      {{0xC4, 0xE2, 0x71, 0xA9, 0x00}, 5, "vfmadd213ss xmm0, xmm1, dword ptr [eax]"},
      {{0xC4, 0xE2, 0x71, 0xDC, 0xC2}, 5, "vaesenc xmm0, xmm1, xmm2"},
      // BMI: vvvv names a general register
      {{0xC4, 0xE2, 0x70, 0xF2, 0xC2}, 5, "andn    eax, ecx, edx"},
      {{0xC4, 0xE2, 0x71, 0xF7, 0xC2}, 5, "shlx    eax, edx, ecx"},
      {{0xC4, 0xE2, 0x73, 0xF6, 0x00}, 5, "mulx    eax, ecx, [eax]"},
      {{0xC4, 0xE2, 0x78, 0xF3, 0xCA}, 5, "blsr    eax, edx"},
      {{0xC4, 0xE3, 0x7B, 0xF0, 0xC1, 0x05}, 6, "rorx    eax, ecx, 5"},
      // an opcode without a name here keeps its length
      {{0xC4, 0xE2, 0x75, 0xFF, 0xC2}, 5, "vex     ymm0, ymm1, ymm2"},
      {{0xC4, 0xE3, 0x75, 0xFF, 0xC2, 0x01}, 6, "vex     ymm0, ymm1, ymm2, 1"},
      // les and lds with a memory operand are no VEX
      {{0xC4, 0x00}, 2, "les     eax, [eax]"},
      {{0xC5, 0x7D, 0x08}, 3, "lds     edi, [ebp+8]"},
  };
  for (const auto& c : cases) {
    uint32_t length = 0;
    EXPECT_EQ(Text(c.bytes, &length), c.text) << testing::PrintToString(c.bytes);
    EXPECT_EQ(length, c.length) << c.text;
  }
}

TEST(DecodeInstruction, InvalidVexForms) {
  const std::vector<uint8_t> cases[] = {
      {0x66, 0xC5, 0xF9, 0x6F, 0xC1},        // VEX after 0x66 (read from 0x66 on)
      {0xF3, 0xC5, 0xF9, 0x6F, 0xC1},        // after 0xF3
      {0xF2, 0xC5, 0xF9, 0x6F, 0xC1},        // after 0xF2
      {0xF0, 0xC5, 0xF9, 0x6F, 0xC1},        // after lock
      {0xC5, 0xF5, 0x6F, 0xC1},              // vvvv unused but not 1111
      {0xC4, 0xE1, 0x3D, 0x6F, 0xC1},        // the same with vvvv's top bit clear
      {0xC5, 0xF0, 0x77},                    // vzeroupper with vvvv not 1111
      {0xC5, 0xFD, 0x6E, 0xC0},              // vmovd exists only with L=0
      {0xC4, 0xE3, 0x69, 0x38, 0xC1, 0x01},  // vinserti128 only with L=1
      {0xC4, 0xE3, 0x7D, 0x00, 0xC1, 0x01},  // vpermq needs W=1
      {0xC4, 0xE2, 0xFD, 0x59, 0x00},        // vpbroadcastq needs W=0
      {0xC5, 0xFD, 0x71, 0x10, 0x04},        // shift group with a memory operand
      {0xC5, 0xFD, 0x71, 0xC1, 0x04},        // shift group /0
      {0xC5, 0xFC, 0x6F, 0xC1},              // vmovdqa needs 0x66 in pp
      {0xC4, 0xE0, 0x7D, 0x6F, 0xC1},        // map 0
      {0xC4, 0xE4, 0x7D, 0x6F, 0xC1},        // map 4
      {0xC5, 0xF9, 0xC5, 0x00, 0x01},        // vpextrw has no memory form
      {0xC5, 0xFD, 0xE7, 0xC0},              // vmovntdq needs memory
      {0x62, 0xF1, 0x7C, 0x48, 0x58, 0xC0},  // EVEX
      {0xC4, 0xE2, 0x74, 0xF2, 0xC2},        // andn with L=1
      {0xC4, 0xE2, 0x70, 0xF3, 0xC2},        // BMI group /0
      {0xC5, 0xFD},                          // cut short
      {0xC4, 0xE3, 0x75, 0x4C, 0xC2},        // cut before the register byte
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c), "invalid") << testing::PrintToString(c);
}

TEST(DecodeInstruction, InvalidForms) {
  const std::vector<uint8_t> cases[] = {
      {0x8D, 0xC0},              // lea with a register operand
      {0xFF, 0xF8},              // 0xFF /7
      {0xFF, 0x38},              // 0xFF /7 memory
      {0xFF, 0xD8},              // call far register
      {0xFF, 0xE8},              // jmp far register
      {0xFE, 0xD0},              // 0xFE /2
      {0x8C, 0xF0},              // segment register 6
      {0x8E, 0xF8},              // segment register 7
      {0x62, 0xC0},              // bound register
      {0xC4, 0xC0},              // a VEX prefix cut short (les has no register form)
      {0xC5, 0xC0},              // the same for lds
      {0x0F, 0xB2, 0xC0},        // lss register
      {0x0F, 0xB4, 0xC0},        // lfs register
      {0x0F, 0xB5, 0xC0},        // lgs register
      {0x0F, 0x00, 0xF0},        // 0x0F 0x00 /6
      {0x0F, 0x01, 0xE8},        // 0x0F 0x01 /5 register
      {0x0F, 0x18, 0xE0},        // 0x0F 0x18 /4 register
      {0x0F, 0x18, 0x20},        // 0x0F 0x18 /4 memory
      {0x0F, 0x71, 0x00},        // group 12 with memory
      {0x0F, 0x71, 0xC0},        // group 12 /0
      {0x0F, 0xAE, 0xC0},        // group 15 /0 register
      {0x0F, 0xBA, 0xC0, 0x01},  // group 8 /0
      {0x0F, 0xC7, 0xC8},        // cmpxchg8b register
      {0xD9, 0xD8},              // fstp1 alias
      {0xD9, 0xE2},              // D9 /4 rm 2
      {0xDD, 0xC8},              // DD /1
      {0xD9, 0x08},              // D9 /1 memory
      {0xD6},                    // salc
      {0x0F, 0x0A},
      {0x0F, 0x04},
      {0x0F, 0x0F, 0xC0, 0x00},        // unknown 3DNow! suffix
      {0x0F, 0x38, 0xFF, 0xC0},        // unknown three-byte opcode
      {0x0F, 0x38, 0xDC, 0xC1},        // aesenc needs 0x66
      {0x66, 0x0F, 0x38, 0xC8, 0xC1},  // SHA takes no prefix
      {0x0F, 0x38, 0xF6, 0xC1},        // adcx/adox need 0x66/0xF3
      {0xF2, 0x0F, 0x38, 0xF6, 0xC1},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c), "invalid") << testing::PrintToString(c);
}

TEST(DecodeInstruction, Targets) {
  {  // relative call
    Code c({0xE8, 0x10, 0x00, 0x00, 0x00});
    const quor::InstructionInfo i = quor::DecodeInstruction(kBase, &c.snapshot);
    EXPECT_TRUE(i.Valid && i.IsCall && i.HasRelTarget && !i.IsJump);
    EXPECT_EQ(i.Target, kBase + 0x15);
    EXPECT_EQ(i.PTarget, kBase + 1);
    EXPECT_EQ(i.TargetSize, 4u);
    EXPECT_EQ(i.Next, kBase + 5);
  }
  {  // a call to the next instruction is no call
    Code c({0xE8, 0x00, 0x00, 0x00, 0x00});
    const quor::InstructionInfo i = quor::DecodeInstruction(kBase, &c.snapshot);
    EXPECT_TRUE(i.Valid);
    EXPECT_FALSE(i.IsCall);
    EXPECT_EQ(i.Target, 0u);
    EXPECT_EQ(i.Next, kBase + 5);
  }
  {  // short conditional jump backwards: enlargeable
    Code c({0x74, 0xFE});
    const quor::InstructionInfo i = quor::DecodeInstruction(kBase, &c.snapshot);
    EXPECT_TRUE(i.IsJump && i.Enlargeable);
    EXPECT_EQ(i.Target, kBase);
    EXPECT_EQ(i.Opcode, 0x74);
  }
  {  // loop is not enlargeable; jecxz neither
    Code c({0xE2, 0x10});
    EXPECT_FALSE(quor::DecodeInstruction(kBase, &c.snapshot).Enlargeable);
  }
  {  // near jcc with rel32 and the two-byte opcode number
    Code c({0x0F, 0x85, 0x00, 0x01, 0x00, 0x00});
    const quor::InstructionInfo i = quor::DecodeInstruction(kBase, &c.snapshot);
    EXPECT_EQ(i.Opcode, 0x0F85);
    EXPECT_EQ(i.Target, kBase + 6 + 0x100);
  }
  {  // 16-bit operand size: rel16, ip wraps to 16 bits
    Code c({0x66, 0xE9, 0x10, 0x00});
    const quor::InstructionInfo i = quor::DecodeInstruction(kBase, &c.snapshot);
    EXPECT_EQ(i.Next, kBase + 4);
    EXPECT_EQ(i.Target, (kBase + 4 + 0x10) & 0xFFFF);
  }
  {  // indirect call through a constant cell inside the snapshot
    Code c({0xFF, 0x15, 0x08, 0x10, 0x40, 0x00, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12});
    const quor::InstructionInfo i = quor::DecodeInstruction(kBase, &c.snapshot);
    EXPECT_TRUE(i.Valid && i.IsCall && !i.HasRelTarget);
    EXPECT_EQ(i.Target, 0x12345678u);
    EXPECT_EQ(i.PPTarget, kBase + 8);
    EXPECT_EQ(i.PTarget, kBase + 8);
  }
  {  // the cell cannot be read: invalid
    Code c({0xFF, 0x25, 0x00, 0x00, 0x00, 0x10});
    EXPECT_FALSE(quor::DecodeInstruction(kBase, &c.snapshot).Valid);
  }
  {  // call through a register known in the register state
    Code c({0xB8, 0x00, 0x20, 0x40, 0x00, 0xFF, 0xD0});
    quor::TRegState regs;
    const quor::InstructionInfo mov = quor::DecodeInstruction(kBase, &c.snapshot, &regs);
    ASSERT_TRUE(regs.IsKnown(quor::kEax));
    const quor::InstructionInfo call = quor::DecodeInstruction(mov.Next, &c.snapshot, &regs);
    EXPECT_TRUE(call.IsCall);
    EXPECT_EQ(call.Target, 0x402000u);
    EXPECT_FALSE(regs.IsKnown(quor::kEax));  // the call may change eax
  }
}

TEST(DecodeInstruction, RegisterState) {
  // mov ecx, [cell]; xor edx, edx; lea esi, [ecx+4]; inc ecx
  Code c({0x8B, 0x0D, 0x10, 0x10, 0x40, 0x00, 0x31, 0xD2, 0x8D, 0x71,
          0x04, 0x41, 0x90, 0x90, 0x90, 0x90, 0x00, 0x30, 0x40, 0x00});
  quor::TRegState regs;
  uint32_t a = kBase;
  a = quor::DecodeInstruction(a, &c.snapshot, &regs).Next;
  EXPECT_TRUE(regs.IsKnown(quor::kEcx));
  EXPECT_EQ(regs.Value[quor::kEcx], 0x403000u);
  a = quor::DecodeInstruction(a, &c.snapshot, &regs).Next;
  EXPECT_TRUE(regs.IsKnown(quor::kEdx));
  EXPECT_EQ(regs.Value[quor::kEdx], 0u);
  a = quor::DecodeInstruction(a, &c.snapshot, &regs).Next;
  EXPECT_EQ(regs.Value[quor::kEsi], 0x403004u);
  quor::DecodeInstruction(a, &c.snapshot, &regs);
  EXPECT_FALSE(regs.IsKnown(quor::kEcx));
  EXPECT_TRUE(regs.IsKnown(quor::kEsi));
}

TEST(DecodeInstruction, ReadsPastTheEndOfMappedMemory) {
  // every cut of a long instruction is invalid, and nothing is read beyond
  const std::vector<uint8_t> full = {0x66, 0xC7, 0x84, 0x88, 0x00, 0x01, 0x00, 0x00, 0x34, 0x12};
  for (size_t n = 1; n < full.size(); ++n) {
    Code c(std::vector<uint8_t>(full.begin(), full.begin() + n));
    EXPECT_FALSE(quor::DecodeInstruction(kBase, &c.snapshot).Valid) << n;
  }
  Code whole(full);
  EXPECT_EQ(quor::DecodeInstruction(kBase, &whole.snapshot).Next, kBase + 10);
  // no snapshot, unmapped address, address at the very top of memory
  EXPECT_FALSE(quor::DecodeInstruction(kBase, nullptr).Valid);
  EXPECT_FALSE(quor::DecodeInstruction(0x10, &whole.snapshot).Valid);
  Code top({0x90, 0x90}, 0xFFFFFFFE);
  EXPECT_TRUE(quor::DecodeInstruction(0xFFFFFFFF, &top.snapshot).Valid);
  Code topCut({0x90, 0x0F}, 0xFFFFFFFE);
  EXPECT_FALSE(quor::DecodeInstruction(0xFFFFFFFF, &topCut.snapshot).Valid);
  // too many prefixes: longer than 15 bytes
  std::vector<uint8_t> prefixes(15, 0x66);
  prefixes.push_back(0x90);
  Code many(prefixes);
  EXPECT_FALSE(quor::DecodeInstruction(kBase, &many.snapshot).Valid);
}

TEST(Snapshot, RangesAndGuardedReads) {
  quor::TBufferReader reader(0x1000, std::vector<uint8_t>(0x3000, 0xAA));
  quor::TMemorySnapshot s(&reader);
  s.AddRange({0x3000, 0x1000, true, true});
  s.AddRange({0x1000, 0x1000, true, true});
  s.AddRange({0x2000, 0x1000, true, false});  // committed, not readable (guard page)
  uint8_t buf[8];
  EXPECT_TRUE(s.Read(0x1FF8, buf, 8));
  EXPECT_FALSE(s.Read(0x1FFC, buf, 8));
  EXPECT_FALSE(s.Read(0x2000, buf, 1));
  EXPECT_TRUE(s.IsCommitted(0x2000));
  EXPECT_TRUE(s.Read(0x3000, buf, 8));
  EXPECT_FALSE(s.Read(0x3FFC, buf, 8));
  EXPECT_FALSE(s.Read(0xFFC, buf, 8));
  EXPECT_EQ(s.Find(0x500), nullptr);
}

TEST(NumberText, DecimalUpToNineThenHex) {
  EXPECT_EQ(quor::NumberText(0), "0");
  EXPECT_EQ(quor::NumberText(9), "9");
  EXPECT_EQ(quor::NumberText(10), "$a");
  EXPECT_EQ(quor::NumberText(0xFFFFFFFF), "$ffffffff");
  EXPECT_EQ(quor::Hex8(0x401000), "00401000");
}

}  // namespace
