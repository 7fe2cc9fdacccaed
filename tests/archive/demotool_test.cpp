// The demotool commands over the archive, run as a program.
#include <gtest/gtest.h>

#include <string>

#include "archive/pack_image.h"
#include "arj_test_support.h"

namespace {

struct ToolRun {
  int status;
  std::string out, err;
};

class Demotool : public testing::Test {
 protected:
  ToolRun Run(const std::string& args, const std::string& env = "") {  // quoted paths from Q
    const int status = Shell(env + " " DEMOTOOL " " + args + " >'" + (dir_ / "tool.out") + "' 2>'" + (dir_ / "tool.err") + "'");
    return {status, ReadBytes(dir_ / "tool.out"), ReadBytes(dir_ / "tool.err")};
  }
  std::string Q(const std::string& name) { return " '" + (dir_ / name) + "'"; }
  bool Exists(const std::string& name) { return Shell("test -e" + Q(name)) == 0; }
  TempDir dir_;
};

TEST_F(Demotool, HelpNamesTheArchiveCommands) {
  const ToolRun run = Run("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* line : {"  unarj ARCHIVE.arj OUT\n", "  list FILE\n", "  extract FILE DIR\n", "  pack DIR FILE\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  EXPECT_EQ(Run("unarj onlyone").status, 2);
}

TEST_F(Demotool, UnarjReproducesArj) {
  ArjAdd(dir_, "u.arj", "-m2", {{"n.bin", PseudoRandom(30000, 5)}, {"e", ""}});
  const ToolRun run = Run("unarj" + Q("u.arj") + Q("out.bin"));
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ReadBytes(dir_ / "out.bin") == ArjExtracted(dir_, "u.arj", {"n.bin", "e"}));
  WriteBytes(dir_ / "bad.arj", "not an archive at all");
  const ToolRun bad = Run("unarj" + Q("bad.arj") + Q("bad.out"));
  EXPECT_EQ(bad.status, 255);
  EXPECT_EQ(bad.out, "Processing archive: \n\n is not an ARJ archive\n");
}

TEST_F(Demotool, PackListAndExtractRoundTrip) {
  Shell("mkdir" + Q("in") + Q("in/sub"));
  const std::vector<NamedBytes> files = {
      {"in/b.jpg", PseudoRandom(5000, 1)}, {"in/B.png", "png"}, {"in/a.3ds", std::string(70000, 'z')}};
  for (const NamedBytes& f : files) WriteBytes(dir_ / f.name, f.bytes);
  ASSERT_EQ(Run("pack" + Q("in") + Q("demo.dat")).status, 0);

  const ToolRun list = Run("list" + Q("demo.dat"));  // entries in byte-wise name order
  EXPECT_EQ(list.status, 0);
  const std::string entries = "  Entry #1: B.png, 14, 3\n  Entry #2: a.3ds, 27, 70000\n  Entry #3: b.jpg, 70037, 5000\n";
  ASSERT_GT(list.out.size(), entries.size());
  EXPECT_EQ(list.out.substr(list.out.size() - entries.size()), entries);
  EXPECT_NE(list.out.find("CRC OK\nfiles in archive: 3\nArchive #1, "), std::string::npos) << list.out;

  const ToolRun extract = Run("extract" + Q("demo.dat") + Q("out"));
  EXPECT_EQ(extract.status, 0) << extract.err;
  for (const NamedBytes& f : files) EXPECT_TRUE(ReadBytes(dir_ / ("out/" + f.name.substr(3))) == f.bytes) << f.name;
}

TEST_F(Demotool, ExtractRefusesNamesThatLeaveTheFolder) {
  DataFile(dir_, BuildPackImage({{"../escaped", "x"}, {"/tmp/absolute", "x"}, {"deep/../../escaped2", "x"},
                                {"deep/inside.txt", "kept"}, {"fine", "ok"}}));
  Shell("mkdir" + Q("out"));
  const ToolRun run = Run("extract" + Q("demo.dat") + Q("out"));
  EXPECT_EQ(run.status, 1);
  for (const char* name : {"../escaped", "/tmp/absolute", "deep/../../escaped2"})
    EXPECT_NE(run.err.find("refused '" + std::string(name) + "'"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(dir_ / "out/fine"), "ok");
  EXPECT_EQ(ReadBytes(dir_ / "out/deep/inside.txt"), "kept");
  EXPECT_FALSE(Exists("escaped"));
  EXPECT_FALSE(Exists("escaped2"));
}

TEST_F(Demotool, ExtractNeverFollowsALinkInTheFolder) {
  DataFile(dir_, BuildPackImage({{"link/x", "through"}, {"evil", "overwritten"}, {"fine", "ok"}}));
  Shell("mkdir" + Q("out") + Q("elsewhere") + " && ln -s ../elsewhere" + Q("out/link") + " && ln -s ../target" +
        Q("out/evil"));
  WriteBytes(dir_ / "target", "precious");
  const ToolRun run = Run("extract" + Q("demo.dat") + Q("out"));
  EXPECT_EQ(run.status, 1);
  for (const char* name : {"link/x", "evil"})
    EXPECT_NE(run.err.find("refused '" + std::string(name) + "': the name leads through a symbolic link in"),
              std::string::npos) << run.err;
  EXPECT_FALSE(Exists("elsewhere/x"));
  EXPECT_EQ(ReadBytes(dir_ / "target"), "precious");
  EXPECT_EQ(ReadBytes(dir_ / "out/fine"), "ok");
}

// Names in the archive's own listing and in the pack image's, each with a control character.
TEST_F(Demotool, ListShowsControlCharactersEscaped) {
  const std::string image = BuildPackImage({{"bell\a", "x"}, {"red\x1b[31m", "y"}});
  std::string data = BuildArchive({{"pack\r.img", 0, 0, 2, uint32_t(image.size()), Crc32(image), image}});
  for (char& c : data) c = static_cast<char>(c ^ 0xC3);
  WriteBytes(dir_ / "demo.dat", data);
  const ToolRun run = Run("list" + Q("demo.dat"));
  EXPECT_EQ(run.status, 0) << run.out;
  for (const char* shown : {"pack\\x0D.img ", "Extracting pack\\x0D.img", ": bell\\x07, ", ": red\\x1B[31m, "})
    EXPECT_NE(run.out.find(shown), std::string::npos) << shown << "\n" << run.out;
  for (char raw : {'\a', '\x1b', '\r'}) EXPECT_EQ(run.out.find(raw), std::string::npos) << int(raw);
}

TEST_F(Demotool, PackSaysWhenArjIsMissing) {
  Shell("mkdir" + Q("in"));
  WriteBytes(dir_ / "in/a", "a");
  const ToolRun run = Run("pack" + Q("in") + Q("demo.dat"), "PATH=/nonexistent");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "demotool pack: the 'arj' program was not found; install arj (scripts/install-deps.sh)\n");
  EXPECT_FALSE(Exists("demo.dat"));
}

}  // namespace
