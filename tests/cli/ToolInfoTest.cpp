// Every command-line tool answers --help and --version before its own work.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/ToolRun.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

struct TTool {
  const char* Name;
  const char* Program;
};

const std::vector<TTool>& Tools() {
  static const std::vector<TTool> tools = {
      {"tessaly-build", TESSALY_BUILD_TOOL},
      {"tessaly-sample", TESSALY_SAMPLE_TOOL},
      {"tessaly-gallery", TESSALY_GALLERY_TOOL},
#ifdef TESSALY_RENDER_TOOL
      {"tessaly-render", TESSALY_RENDER_TOOL},
#endif
#ifdef TESSALY_EXPORT_TOOL
      {"tessaly-export", TESSALY_EXPORT_TOOL},
#endif
  };
  return tools;
}

TEST(ToolInfo, EveryToolAnswersHelpWithItsUsageOnStdout) {
  for (const TTool& tool : Tools()) {
    for (const char* flag : {"--help", "-h"}) {
      const TToolRun run = RunTool(tool.Program, {flag});
      EXPECT_EQ(run.Exit, 0) << tool.Name << " " << flag;
      EXPECT_THAT(run.Out, StartsWith(std::string("usage: ") + tool.Name + " ")) << flag;
      EXPECT_THAT(run.Out, HasSubstr("--version")) << tool.Name;
      EXPECT_THAT(run.Err, IsEmpty()) << tool.Name;
    }
  }
}

TEST(ToolInfo, EveryToolAnswersVersionWithItsNameAndTheProgramsVersion) {
  for (const TTool& tool : Tools()) {
    const TToolRun run = RunTool(tool.Program, {"--version"});
    EXPECT_EQ(run.Exit, 0) << tool.Name;
    EXPECT_EQ(run.Out, std::string(tool.Name) + " " + TESSALY_VERSION + "\n");
    EXPECT_THAT(run.Err, IsEmpty()) << tool.Name;
  }
}

TEST(ToolInfo, AnUnknownOptionIsAWrongArgument) {
  for (const TTool& tool : Tools()) {
    const TToolRun run = RunTool(tool.Program, {"--no-such-option"});
    EXPECT_EQ(run.Exit, 2) << tool.Name;
    EXPECT_THAT(run.Out, IsEmpty()) << tool.Name;
    EXPECT_THAT(run.Err, HasSubstr("usage: ")) << tool.Name;
  }
}

}  // namespace
}  // namespace tessaly::test
