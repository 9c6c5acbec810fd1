#include "acquisition/import_sources.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "acquisition/zentak_file_source.h"

namespace korvale {

namespace {

bool EndsWithSoIgnoringCase(const std::string& name) {
  if (name.size() < 3) return false;
  const char* tail = name.c_str() + name.size() - 3;
  return tail[0] == '.' && (tail[1] == 's' || tail[1] == 'S') && (tail[2] == 'o' || tail[2] == 'O');
}

// The library files of the folder in byte order of their names; folders (and links to them)
// never count. An unreadable or missing folder has none.
std::vector<std::string> LibraryFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (!EndsWithSoIgnoringCase(name)) continue;
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string LastDlError() {
  const char* error = dlerror();
  return error ? error : "cannot be loaded";
}

}  // namespace

void ReleaseImportSource(CImportSource* source) {
  if (!source) return;
  void* handle = source->moduleHandle;
  delete source;
  if (handle) dlclose(handle);
}

std::string PluginFolder(const std::string& dataRootDir) { return dataRootDir + "/Plug-ins"; }

ImportSourceList LoadImportSources(const std::string& dataRootDir) {
  ImportSourceList list;
  const std::string folder = PluginFolder(dataRootDir);
  const std::vector<std::string> names = LibraryFiles(folder);
  list.libraryFiles = static_cast<int>(names.size());
  if (names.empty()) {
    list.sources.emplace_back(new CZentakFileSource);
    list.libraries.emplace_back();
    return list;
  }
  for (const std::string& name : names) {
    const std::string path = folder + "/" + name;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      list.skipped.push_back({path, LastDlError()});
      continue;
    }
    auto create =
        reinterpret_cast<CreateXInputInstanceFunction>(dlsym(handle, kCreateXInputInstanceName));
    if (!create) {
      dlclose(handle);
      list.skipped.push_back({path, "no CreateXInputInstance"});
      continue;
    }
    CImportSource* source = nullptr;
    try {
      source = create();
    } catch (...) {
      source = nullptr;
    }
    if (!source) {
      dlclose(handle);
      list.skipped.push_back({path, "CreateXInputInstance gave no source"});
      continue;
    }
    source->SetModuleHandle(handle);
    list.sources.emplace_back(source);
    list.libraries.push_back(path);
  }
  return list;
}

std::vector<ImportFileType> ImportFileTypes(const ImportSourceList& list) {
  std::vector<ImportFileType> types;
  for (const ImportSourcePtr& source : list.sources) {
    // A source is handed buffers of the agreed size; terminating them here as well keeps a
    // careless plug-in from running the text past its buffer.
    char description[kImportFilterTextBytes] = {};
    char pattern[kImportFilterTextBytes] = {};
    try {
      source->GetFileFilter(description, pattern);
    } catch (...) {
    }
    description[kImportFilterTextBytes - 1] = '\0';
    pattern[kImportFilterTextBytes - 1] = '\0';
    ImportFileType type{description, pattern, {}};
    size_t start = 0;
    for (;;) {
      const size_t semicolon = type.pattern.find(';', start);
      const std::string one = type.pattern.substr(start, semicolon - start);
      if (!one.empty()) type.patterns.push_back(one);
      if (semicolon == std::string::npos) break;
      start = semicolon + 1;
    }
    types.push_back(std::move(type));
  }
  return types;
}

std::string BuildImportFilter(const std::vector<ImportFileType>& types, int* typesOffered) {
  std::string text;
  int offered = 0;
  for (const ImportFileType& t : types) {
    const std::string entry = t.description + " (" + t.pattern + ")|" + t.pattern + "|";
    // Room is kept for the final "|" and the terminator.
    if (text.size() + entry.size() + 2 > static_cast<size_t>(kImportFilterBufferBytes)) break;
    text += entry;
    ++offered;
  }
  text += "|";
  if (typesOffered) *typesOffered = offered;
  return text;
}

ImportSourcePtr ChooseImportSource(ImportSourceList* list, int fileTypeIndex) {
  ImportSourcePtr chosen;
  const int i = fileTypeIndex - 1;
  if (i >= 0 && i < static_cast<int>(list->sources.size())) {
    chosen = std::move(list->sources[static_cast<size_t>(i)]);
  }
  list->sources.clear();
  list->libraries.clear();
  return chosen;
}

std::unique_ptr<CLineFile> OpenImportFile(CImportSource& source, const std::string& path,
                                          int* count) {
  *count = 0;
  auto file = std::make_unique<CLineFile>();
  if (!file->Open(path)) return nullptr;
  try {
    if (!source.ReadHeader(*file)) return nullptr;
    const int n = source.CountRecords(*file);
    // Every readable file counts at least one record (the extra one); 0 is a file error.
    if (n <= 0) return nullptr;
    if (!source.SkipHeader(*file)) return nullptr;
    *count = n;
  } catch (...) {
    return nullptr;
  }
  return file;
}

bool ReadImportRecord(CImportSource& source, CLineFile& file, ImportRecord* r) {
  try {
    source.ReadRecord(file, &r->code, r->name, &r->market, &r->year, &r->month, &r->day, &r->open,
                      &r->high, &r->low, &r->close, &r->volume);
  } catch (...) {
    return false;
  }
  r->name[kImportNameBytes - 1] = '\0';
  return true;
}

}  // namespace korvale
