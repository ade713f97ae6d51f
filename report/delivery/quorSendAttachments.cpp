#include "report/delivery/quorSendAttachments.h"

#include <windows.h>

#include <fstream>

#include "report/codec/quorZipFiles.h"
#include "report/screenshot/quorNVPng.h"
#include "report/settings/quorEncodedLists.h"

namespace quor {

namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsAbsolute(const std::string& path) { return path.size() > 2 && (path[0] == '\\' || path[1] == ':'); }

std::string ModuleFolder(uintptr_t module) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The bug report attachment: the file with this report, or this report alone.
void AddBugReport(IQuorModuleSettings& settings, const AttachmentSources& sources, PreparedAttachments& out) {
  const std::string file = BugReportFilePath(settings.BugRepFile(), settings.Module());
  const std::string copy = sources.tempFolder + std::string(BareFileName(file));
  const bool withFile = settings.AttachBugRepFile();
  if (withFile && CopyFileA(file.c_str(), copy.c_str(), FALSE)) {
    if (settings.DelBugRepFile()) out.deleteAfterSending = file;
  } else {
    DeleteFileA(copy.c_str());
  }
  if (!(withFile && sources.reportStored) && sources.storeReport) (void)sources.storeReport(copy);
  if (FileExists(copy)) out.files.push_back({copy, settings.BugRepSendAs(), "BugReport", settings.BugRepZip()});
}

void AddScreenshot(IQuorModuleSettings& settings, const AttachmentSources& sources, PreparedAttachments& out) {
  if (!sources.screenshot) return;
  const NVBytesResult png = NVPixelsAsPng(sources.screenshot->View(), ScreenshotPngMode(settings.ScrShotDepth()));
  if (png.bytes.empty()) return;
  const std::string file = sources.tempFolder + "screenShot.png";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(png.bytes.data(), static_cast<std::streamsize>(png.bytes.size()));
    if (!out.flush()) {
      out.close();
      DeleteFileA(file.c_str());
      return;
    }
  }
  out.files.push_back({file, settings.ScrShotSendAs(), "ScreenShot", settings.ScrShotZip()});
}

// Each archive packed from its files; an archive that cannot be written
// leaves its files out.
std::vector<SendFile> Pack(const std::vector<SendFile>& files, const std::string& tempFolder) {
  const SendAttachments grouped = GroupAttachments(files);
  std::vector<SendFile> result = grouped.plain;
  for (const SendArchive& archive : grouped.archives) {
    std::vector<std::string> paths, names;
    for (const SendFile& f : archive.files) {
      paths.push_back(f.file);
      names.push_back(f.sendAs);
    }
    const std::string zip = tempFolder + archive.name;
    if (!paths.empty() && WriteZipArchive(zip, paths, static_cast<int>(paths.size()) - 1, names))
      result.push_back({zip, archive.name, archive.name, ""});
  }
  return result;
}

}  // namespace

std::string BugReportFilePath(const std::string& setting, uintptr_t module) {
  return IsAbsolute(setting) ? setting : ModuleFolder(module) + setting;
}

PreparedAttachments PrepareAttachments(IQuorModuleSettings& settings, const AttachmentSources& sources) {
  PreparedAttachments out;
  CreateDirectoryA(sources.tempFolder.c_str(), nullptr);
  if (settings.AttachBugRep()) AddBugReport(settings, sources, out);
  AddScreenshot(settings, sources, out);
  if (const QuorPtr<IQuorAttachments> extra = settings.Attachments()) {
    AttachmentEntry e;
    for (int32_t i = 0; i < extra->Count(); ++i)
      if (extra->Item(i, e)) out.files.push_back({e.file, e.sendAs, e.field, e.zip});
  }
  out.files = Pack(out.files, sources.tempFolder);
  return out;
}

}  // namespace quor
