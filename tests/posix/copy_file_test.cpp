#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <random>

#include "fake_platform.h"
#include "platform/platform.h"

namespace {

std::string RandomBytes(std::size_t size) {
  std::mt19937 random(static_cast<unsigned>(size));
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class CopyFileTest : public ::testing::Test {
 protected:
  CopyResult Copy(const std::string& from, const std::string& to) {
    return NativePlatform().CopyNewFile(temp.path() + "\\" + from, temp.path() + "\\" + to, error);
  }

  TempFolder temp;
  unsigned long error = 12345;
};

TEST_F(CopyFileTest, CopiesEveryByte) {
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65543}, std::size_t{3145733}}) {
    SCOPED_TRACE(size);
    std::string name = std::to_string(size);
    temp.WriteBytes(name + ".mp3", RandomBytes(size));
    EXPECT_EQ(Copy(name + ".mp3", name + "-copia.mp3"), CopyResult::Copied);
    EXPECT_EQ(error, 0u);
    EXPECT_TRUE(temp.ReadBytes(name + "-copia.mp3") == temp.ReadBytes(name + ".mp3"));
  }
}

TEST_F(CopyFileTest, ExistingDestinationIsReportedAndLeftAlone) {
  temp.WriteBytes("a.mp3", "new");
  temp.WriteBytes("b.mp3", "old");
  EXPECT_EQ(Copy("a.mp3", "b.mp3"), CopyResult::Exists);
  EXPECT_EQ(error, static_cast<unsigned long>(EEXIST));
  EXPECT_EQ(temp.ReadBytes("b.mp3"), "old");
}

TEST_F(CopyFileTest, OtherFailuresLeaveNoDestination) {
  struct Case {
    const char* from;
    const char* to;
    int error;
  };
  temp.WriteBytes("a.mp3", "song");
  std::string tooLong(300, 'x');  // past a file name's 255 bytes
  for (const Case& c : {Case{"missing.mp3", "b.mp3", ENOENT}, Case{"a.mp3", "nowhere\\b.mp3", ENOENT},
                        Case{"a.mp3", tooLong.c_str(), ENAMETOOLONG}}) {
    SCOPED_TRACE(c.to);
    EXPECT_EQ(Copy(c.from, c.to), CopyResult::Failed);
    EXPECT_EQ(error, static_cast<unsigned long>(c.error));
  }
  auto files = std::filesystem::directory_iterator(temp.native());
  EXPECT_EQ(std::distance(begin(files), end(files)), 1);  // a.mp3 alone
}

}  // namespace
