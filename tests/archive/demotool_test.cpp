// The demotool commands over the archive, run as a program.
#include <gtest/gtest.h>

#include <string>

#include "archive/pack_image.h"
#include "arj_test_support.h"

namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun Demotool(const TempDir& dir, const std::string& args, const std::string& env = "") {
  const std::string out = dir / "tool.out";
  const std::string err = dir / "tool.err";
  const int status = Shell(env + " " DEMOTOOL " " + args + " >'" + out + "' 2>'" + err + "'");
  return {status, ReadBytes(out), ReadBytes(err)};
}

TEST(Demotool, HelpNamesTheArchiveCommands) {
  TempDir dir;
  const ToolRun run = Demotool(dir, "--help");
  EXPECT_EQ(run.status, 0);
  for (const char* line : {"  unarj ARCHIVE.arj OUT\n", "  list FILE\n", "  extract FILE DIR\n", "  pack DIR FILE\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  EXPECT_EQ(Demotool(dir, "unarj onlyone").status, 2);
}

TEST(Demotool, UnarjReproducesArj) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "row " + std::to_string(i * 7 % 333) + "\n";
  const std::vector<NamedBytes> files = {{"t.txt", text}, {"n.bin", PseudoRandom(30000, 5)}, {"e", ""}};
  for (const char* method : {"-m2", "-m3"}) {
    const std::string name = std::string("u") + (method + 2) + ".arj";
    ArjAdd(dir, name, method, files);
    const ToolRun run = Demotool(dir, "unarj '" + (dir / name) + "' '" + (dir / "out.bin") + "'");
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(ReadBytes(dir / "out.bin") == ArjExtracted(dir, name, {"t.txt", "n.bin", "e"}));
    EXPECT_EQ(run.out.find("Processing archive: \n"), 0u);
  }
  WriteBytes(dir / "bad.arj", "not an archive at all");
  const ToolRun bad = Demotool(dir, "unarj '" + (dir / "bad.arj") + "' '" + (dir / "bad.out") + "'");
  EXPECT_EQ(bad.status, 255);
  EXPECT_EQ(bad.out, "Processing archive: \n\n is not an ARJ archive\n");
}

TEST(Demotool, PackListAndExtractRoundTrip) {
  TempDir dir;
  Shell("mkdir '" + (dir / "in") + "' '" + (dir / "in/sub") + "'");
  const std::vector<NamedBytes> files = {
      {"in/b.jpg", PseudoRandom(5000, 1)}, {"in/B.png", "png"}, {"in/a.3ds", std::string(70000, 'z')}};
  for (const NamedBytes& f : files) WriteBytes(dir / f.name, f.bytes);
  ASSERT_EQ(Demotool(dir, "pack '" + (dir / "in") + "' '" + (dir / "demo.dat") + "'").status, 0);

  // The image inside holds the files in byte-wise name order.
  std::string data = ReadBytes(dir / "demo.dat");
  for (char& c : data) c = static_cast<char>(c ^ 0xC3);
  const ReaderRun unpacked = RunReader(data);
  ASSERT_EQ(unpacked.status, 0);
  EXPECT_TRUE(unpacked.bytes == BuildPackImage({{"B.png", "png"},
                                                {"a.3ds", std::string(70000, 'z')},
                                                {"b.jpg", files[0].bytes}}));

  const ToolRun list = Demotool(dir, "list '" + (dir / "demo.dat") + "'");
  EXPECT_EQ(list.status, 0);
  const std::string entries = "  Entry #1: B.png, 14, 3\n  Entry #2: a.3ds, 27, 70000\n  Entry #3: b.jpg, 70037, 5000\n";
  ASSERT_GT(list.out.size(), entries.size());
  EXPECT_EQ(list.out.substr(list.out.size() - entries.size()), entries);
  EXPECT_NE(list.out.find("CRC OK\nfiles in archive: 3\nArchive #1, "), std::string::npos) << list.out;

  const ToolRun extract = Demotool(dir, "extract '" + (dir / "demo.dat") + "' '" + (dir / "out") + "'");
  EXPECT_EQ(extract.status, 0) << extract.err;
  for (const NamedBytes& f : files) EXPECT_TRUE(ReadBytes(dir / ("out/" + f.name.substr(3))) == f.bytes) << f.name;
}

TEST(Demotool, ExtractRefusesNamesThatLeaveTheFolder) {
  TempDir dir;
  DataFile(dir, BuildPackImage({{"../escaped", "x"},
                                {"/tmp/absolute", "x"},
                                {"deep/../../escaped2", "x"},
                                {"deep/inside.txt", "kept"},
                                {"fine", "ok"}}));
  Shell("mkdir '" + (dir / "out") + "'");
  const ToolRun run = Demotool(dir, "extract '" + (dir / "demo.dat") + "' '" + (dir / "out") + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("refused '../escaped'"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("refused '/tmp/absolute'"), std::string::npos);
  EXPECT_NE(run.err.find("refused 'deep/../../escaped2'"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "out/fine"), "ok");
  EXPECT_EQ(ReadBytes(dir / "out/deep/inside.txt"), "kept");
  EXPECT_EQ(Shell("test -e '" + (dir / "escaped") + "'"), 1);
  EXPECT_EQ(Shell("test -e '" + (dir / "escaped2") + "'"), 1);
}

TEST(Demotool, PackSaysWhenArjIsMissing) {
  TempDir dir;
  Shell("mkdir '" + (dir / "in") + "'");
  WriteBytes(dir / "in/a", "a");
  const ToolRun run = Demotool(dir, "pack '" + (dir / "in") + "' '" + (dir / "demo.dat") + "'", "PATH=/nonexistent");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "demotool pack: the 'arj' program was not found; install arj (scripts/install-deps.sh)\n");
  EXPECT_EQ(Shell("test -e '" + (dir / "demo.dat") + "'"), 1);
}

}  // namespace
