// The program itself without a display: the registration failure's two lines on stderr (the
// message boxes cannot be shown) and status -1, at once, without a hang.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "ScratchFolder.h"

TEST(NoDisplay, TheProgramSaysSoAndEndsWithStatusMinusOne) {
  const std::string out = testing::TempDir() + "vex-no-display.out";
  const std::string err = testing::TempDir() + "vex-no-display.err";
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER= SDL_AUDIODRIVER=dummy "
                              "timeout 60 ./vexilograph >" + out + " 2>" + err;
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 255);
  const std::vector<uint8_t> errBytes = ReadAll(err);
  const std::string text(errBytes.begin(), errBytes.end());
  EXPECT_NE(text.find("RegisterClassEx Failed!"), std::string::npos) << text;
  EXPECT_NE(text.find("Error Registering Window Class!"), std::string::npos) << text;
  EXPECT_TRUE(ReadAll(out).empty());
}
