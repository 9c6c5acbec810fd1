// Remote mode end to end on loopback: a data root published by the peer server, and a second
// data root in remote mode whose read commands must give what the local ones give.
#include <gtest/gtest.h>

#include <filesystem>

#include "net/peer_server.h"
#include "net/remote_mode_root.h"
#include "support/test_support.h"
#include "support/web_fixtures.h"

namespace korvale {
namespace {

using testing::RunCommand;

class RemoteModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PeerServerOptions options;
    options.root = testing::WebSampleRoot();
    server_ = std::make_unique<CPeerServer>(options);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
    // The local side works on a copy, as the analysis writes its cache into the root.
    local_ = dir_.File("local");
    std::filesystem::copy(testing::WebSampleRoot(), local_,
                          std::filesystem::copy_options::recursive);
    remote_ = dir_.File("remote");
    ASSERT_TRUE(MakeRemoteModeRoot(remote_, server_->ListUrl(), testing::WebSampleRoot(), &error))
        << error;
  }
  int Run(const std::string& args, const std::string& root, std::string* out,
          bool withStderr = false) {
    return RunCommand("XDG_CONFIG_HOME=" + dir_.path() + " " + KORVALE_CLI_PATH + " " + args +
                          " --root " + root,
                      out, withStderr);
  }
  // The output of `args` on both roots, which must both succeed.
  void Both(const std::string& args, std::string* local, std::string* remote) {
    ASSERT_EQ(Run(args, local_, local), 0) << args << "\n" << *local;
    ASSERT_EQ(Run(args, remote_, remote), 0) << args << "\n" << *remote;
  }

  testing::TempDir dir_;
  std::unique_ptr<CPeerServer> server_;
  std::string local_, remote_;
};

TEST_F(RemoteModeTest, ReadCommandsOnThePeerGiveWhatTheyGiveLocally) {
  std::string local, remote;
  Both("list", &local, &remote);
  EXPECT_EQ(local, remote);
  const std::vector<int> codes = testing::WebSampleCodes();
  ASSERT_GE(codes.size(), 6u);
  for (int code : {codes[0], codes[3], codes[5]}) {
    const std::string c = std::to_string(code);
    Both("bars " + c, &local, &remote);
    EXPECT_EQ(local, remote) << c;
    EXPECT_GT(local.size(), 1000u);
    Both("record " + c + " --json", &local, &remote);
    EXPECT_EQ(local, remote) << c;
    const std::string localPng = dir_.File("local" + c + ".png");
    const std::string remotePng = dir_.File("remote" + c + ".png");
    ASSERT_EQ(Run("render " + c + " --chart daily -o " + localPng, local_, &local), 0) << local;
    ASSERT_EQ(Run("render " + c + " --chart daily -o " + remotePng, remote_, &remote), 0) << remote;
    ASSERT_TRUE(std::filesystem::exists(localPng));
    EXPECT_EQ(testing::ReadBytes(localPng), testing::ReadBytes(remotePng)) << c;
  }
  Both("analyze", &local, &remote);
  EXPECT_EQ(local, remote);
}

TEST_F(RemoteModeTest, APeerThatIsGoneOrSendsNoPriceFileIsReported) {
  // A peer of the local copy, whose file goes away after the peer listed it: a 404 page.
  PeerServerOptions options;
  options.root = local_;
  CPeerServer copy(options);
  std::string error;
  ASSERT_TRUE(copy.Start(&error)) << error;
  const std::string root = dir_.File("remote2");
  ASSERT_TRUE(MakeRemoteModeRoot(root, copy.ListUrl(), local_, &error)) << error;
  const int code = testing::WebSampleCodes().at(1);
  char name[16];
  std::snprintf(name, sizeof name, "KD%04d.KDT", code);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(local_)) {
    if (entry.path().filename() == name) std::filesystem::remove(entry.path());
  }
  std::string out;
  EXPECT_EQ(Run("bars " + std::to_string(code), root, &out, true), 1);
  EXPECT_NE(out.find("HTTP 404"), std::string::npos) << out;
  EXPECT_EQ(out.find("\n20"), std::string::npos) << out;  // no bar line "YYYY/MM/DD ..."
  EXPECT_NE(out.rfind("20", 0), 0u) << out;
  EXPECT_EQ(Run("record " + std::to_string(code), root, &out, true), 1);
  EXPECT_NE(out.find("HTTP 404"), std::string::npos) << out;

  copy.Stop();
  EXPECT_EQ(Run("list", root, &out, true), 1);
  EXPECT_NE(out.find("WWWサーバと接続できませんでした。"), std::string::npos) << out;
}

TEST_F(RemoteModeTest, ServeHasHelpAndRefusesBadUse) {
  std::string out;
  EXPECT_EQ(RunCommand(std::string(KORVALE_CLI_PATH) + " serve --help", &out), 0);
  EXPECT_NE(out.find("usage: korvale-cli serve"), std::string::npos);
  EXPECT_EQ(Run("serve --port 70000", local_, &out), 2);
  EXPECT_EQ(Run("serve extra", local_, &out), 2);
  EXPECT_EQ(Run("serve", dir_.File("missing"), &out), 1);
}

}  // namespace
}  // namespace korvale
