#include "acquisition/import_sources.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <exception>
#include <filesystem>

#include "acquisition/zentak_file_source.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::CommaLine;
using testing::ReadThroughSource;
using testing::Sjis;
using testing::SourceRead;
using testing::TempDir;
using testing::WriteText;

std::string PluginsOf(const TempDir& root) {
  fs::create_directories(PluginFolder(root.path()));
  return PluginFolder(root.path());
}

void InstallPlugin(const TempDir& root, const std::string& name = "XZentakDOS.so") {
  fs::copy_file(KORVALE_ZENTAKDOS_PLUGIN, PluginsOf(root) + "/" + name);
}

// A real shared library that has no CreateXInputInstance: the C++ run-time the tests run on,
// linked into the folder under another name.
void InstallLibraryWithoutExport(const TempDir& root, const std::string& name) {
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&std::terminate), &info), 0);
  ASSERT_NE(info.dli_fname, nullptr);
  fs::create_symlink(info.dli_fname, PluginsOf(root) + "/" + name);
}

bool IsBuiltIn(const ImportSourceList& list) {
  return list.sources.size() == 1 && list.sources[0]->moduleHandle == nullptr &&
         dynamic_cast<CZentakFileSource*>(list.sources[0].get()) != nullptr;
}

TEST(ImportSourcesTest, TheBuiltInSourceOnlyWhenThePluginFolderHoldsNoLibraryFile) {
  TempDir root;
  EXPECT_TRUE(IsBuiltIn(LoadImportSources(root.path())));  // no Plug-ins folder

  fs::create_directories(PluginsOf(root) + "/x.so");  // folders never count
  WriteText(PluginsOf(root) + "/abc.so.bak", "not a library");
  WriteText(PluginsOf(root) + "/readme.txt", "");
  ImportSourceList list = LoadImportSources(root.path());
  EXPECT_TRUE(IsBuiltIn(list));
  EXPECT_EQ(list.libraryFiles, 0);

  // ABC.SO counts (the extension without regard to case) although it does not load: the list
  // is then empty and the built-in source is not offered.
  WriteText(PluginsOf(root) + "/ABC.SO", "not a library either");
  list = LoadImportSources(root.path());
  EXPECT_EQ(list.libraryFiles, 1);
  EXPECT_TRUE(list.sources.empty());
  ASSERT_EQ(list.skipped.size(), 1u);
  EXPECT_EQ(fs::path(list.skipped[0].path).filename(), "ABC.SO");
}

TEST(ImportSourcesTest, ALibraryWithoutTheExportIsUnloadedAndSkipped) {
  TempDir root;
  InstallLibraryWithoutExport(root, "NoExport.so");
  ImportSourceList list = LoadImportSources(root.path());
  EXPECT_EQ(list.libraryFiles, 1);
  EXPECT_TRUE(list.sources.empty());
  ASSERT_EQ(list.skipped.size(), 1u);
  EXPECT_EQ(list.skipped[0].reason, "no CreateXInputInstance");

  InstallPlugin(root);
  list = LoadImportSources(root.path());
  EXPECT_EQ(list.libraryFiles, 2);
  ASSERT_EQ(list.sources.size(), 1u);
  EXPECT_NE(list.sources[0]->moduleHandle, nullptr);
  EXPECT_EQ(fs::path(list.libraries[0]).filename(), "XZentakDOS.so");
}

TEST(ImportSourcesTest, ThePluginReadsADosFileThroughTheHostsLineFileAndUnloads) {
  TempDir root;
  InstallPlugin(root);
  ImportSourceList list = LoadImportSources(root.path());
  ASSERT_EQ(list.sources.size(), 1u);
  const std::vector<ImportFileType> types = ImportFileTypes(list);
  ASSERT_EQ(types.size(), 1u);
  EXPECT_EQ(types[0].description, "ZentakDOSファイル");
  EXPECT_EQ(types[0].pattern, "DS??????.??");

  ImportSourcePtr source = ChooseImportSource(&list, 1);
  ASSERT_TRUE(source);
  EXPECT_TRUE(list.sources.empty());
  const std::string path = root.File("DS050512.DAT");
  const std::string name30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
  // LF line ends: the plug-in reads through the host's line-end detection.
  WriteText(path, "20050512 DOS\nheader\n" + CommaLine(1301, 1, "極洋", 250, 255, 248, 252, 120) +
                      "\n1332,2," + name30 + ",500,510,490,505,3000\n");
  const SourceRead read = ReadThroughSource(*source, path);
  ASSERT_TRUE(read.opened);
  EXPECT_EQ(read.count, 3);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.records[0].code, 1301);
  EXPECT_EQ(std::string(read.records[0].name), Sjis("極洋"));
  EXPECT_EQ(read.records[0].year, 2005);
  EXPECT_EQ(read.records[0].month, 5);
  EXPECT_EQ(read.records[0].day, 12);
  EXPECT_EQ(read.records[0].close, 252);
  EXPECT_EQ(read.records[1].market, 2);
  EXPECT_EQ(std::string(read.records[1].name), name30.substr(0, 23));  // the plug-in cuts it
  EXPECT_EQ(read.records[1].volume, 3000);

  // The DOS source knows the eight-digit header only.
  WriteText(path, "050512\r\nheader\r\n" + CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n");
  int count = -1;
  EXPECT_FALSE(OpenImportFile(*source, path, &count));
  source.reset();  // object first, then the library
}

TEST(ImportSourcesTest, ThePluginExportsOnlyItsFactory) {
  void* handle = dlopen(KORVALE_ZENTAKDOS_PLUGIN, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  EXPECT_NE(dlsym(handle, "CreateXInputInstance"), nullptr);
  EXPECT_EQ(dlsym(handle, "_ZTVN7korvale16CZentakDosSourceE"), nullptr);
  EXPECT_EQ(dlsym(handle, "_ZN7korvale16CZentakDosSource10ReadHeaderERNS_9CLineFileE"), nullptr);
  dlclose(handle);
}

TEST(ImportSourcesTest, TheFilterListsEverySourceAndStopsBeforeItsBufferOverflows) {
  std::vector<ImportFileType> types = {{"Zentak Files", "ds*.*;kd*", {}},
                                       {"ZentakDOSファイル", "DS??????.??", {}}};
  int offered = 0;
  // The literal is split where "??" and ")" would meet, which compilers warn about.
  EXPECT_EQ(BuildImportFilter(types, &offered),
            "Zentak Files (ds*.*;kd*)|ds*.*;kd*|ZentakDOSファイル (DS??????.?"
            "?)|DS??????.??||");
  EXPECT_EQ(offered, 2);

  // 31-byte descriptions and patterns make entries of 98 bytes: five fit in 511 bytes with the
  // final "|", the sixth does not.
  const std::string d(31, 'd'), p(31, 'p');
  std::vector<ImportFileType> many(8, ImportFileType{d, p, {}});
  const std::string text = BuildImportFilter(many, &offered);
  EXPECT_EQ(offered, 5);
  EXPECT_EQ(text.size(), 5u * 98 + 1);
  EXPECT_EQ(text.back(), '|');

  TempDir root;
  ImportSourceList list = LoadImportSources(root.path());
  const std::vector<ImportFileType> builtIn = ImportFileTypes(list);
  ASSERT_EQ(builtIn.size(), 1u);
  EXPECT_EQ(builtIn[0].patterns, (std::vector<std::string>{"ds*.*", "kd*"}));
  EXPECT_FALSE(ChooseImportSource(&list, 2));  // no such type: every source released
  EXPECT_TRUE(list.sources.empty());
}

TEST(ImportSourcesTest, OpeningRefusesMissingAndForeignFiles) {
  TempDir root;
  CZentakFileSource source;
  int count = -1;
  EXPECT_FALSE(OpenImportFile(source, root.File("missing.DAT"), &count));
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(OpenImportFile(source, root.path(), &count));  // a folder
  WriteText(root.File("notes.txt"), "just some text\r\n");
  EXPECT_FALSE(OpenImportFile(source, root.File("notes.txt"), &count));
}

}  // namespace
}  // namespace korvale
