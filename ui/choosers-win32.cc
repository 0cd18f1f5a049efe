#include "ui/choosers-win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace brantel {
namespace {

// The folder chooser's newer look needs COM on this thread while it is up.
class ComInThisThread {
 public:
  ComInThisThread() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComInThisThread() {
    if (started_) CoUninitialize();
  }
  ComInThisThread(const ComInThisThread&) = delete;
  ComInThisThread& operator=(const ComInThisThread&) = delete;

 private:
  bool started_;
};

struct ItemListFree {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

int CALLBACK OpenAtStart(HWND chooser, UINT message, LPARAM /*unused*/, LPARAM start) {
  if (message == BFFM_INITIALIZED) SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

}  // namespace

std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title, const std::wstring& start) {
  const ComInThisThread com;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = OpenAtStart;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  const std::unique_ptr<ITEMIDLIST, ItemListFree> chosen(SHBrowseForFolderW(&info));
  if (chosen == nullptr) return std::nullopt;
  std::wstring path(MAX_PATH + 1, L'\0');
  if (!SHGetPathFromIDListW(chosen.get(), path.data())) return std::nullopt;  // not a folder of the file system
  path.resize(path.find(L'\0'));
  return path;
}

namespace {

// The file dialog's settings the two choosers share; `file`, which holds the
// name shown first, room for the one chosen.
OPENFILENAMEW FileChoice(HWND owner, const std::wstring& title, const wchar_t* filter, std::wstring& file) {
  file.resize(32768, L'\0');
  OPENFILENAMEW choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.lpstrFilter = filter;
  choice.lpstrFile = file.data();
  choice.nMaxFile = static_cast<DWORD>(file.size());
  choice.lpstrTitle = title.c_str();
  choice.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return choice;
}

std::optional<std::wstring> Chosen(BOOL chosen, std::wstring& file) {
  if (!chosen) return std::nullopt;
  file.resize(file.find(L'\0'));
  return file;
}

}  // namespace

std::optional<std::wstring> ChooseProgram(HWND owner, const std::wstring& title, const std::wstring& start) {
  std::wstring file;
  OPENFILENAMEW choice = FileChoice(owner, title, L"Programs (*.exe)\0*.exe\0All files (*.*)\0*.*\0", file);
  choice.lpstrInitialDir = start.c_str();
  choice.Flags |= OFN_FILEMUSTEXIST;
  return Chosen(GetOpenFileNameW(&choice), file);
}

// Given with its folder, the name opens the chooser there: Windows would
// otherwise start where the user last saved, or in the current folder.
std::optional<std::wstring> ChooseTextFileToSave(HWND owner, const std::wstring& title, const std::wstring& name) {
  std::wstring file = name;
  wchar_t* documents = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &documents))) {
    file = std::wstring(documents) + L"\\" + name;
  }
  CoTaskMemFree(documents);
  OPENFILENAMEW choice = FileChoice(owner, title, L"Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0", file);
  choice.lpstrDefExt = L"txt";
  choice.Flags |= OFN_OVERWRITEPROMPT;
  return Chosen(GetSaveFileNameW(&choice), file);
}

std::optional<std::wstring> DroppedFolder(HDROP drop) {
  std::optional<std::wstring> folder;
  if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(length);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) folder = path;
  }
  DragFinish(drop);
  return folder;
}

}  // namespace brantel
