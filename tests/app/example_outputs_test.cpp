// The bytes of everything a run of the example project writes: its Q1o tables,
// chart-direction files, zero-load report and task and issue log. A change to
// the computation, the formatting, the readers or the log's lines that changes
// a single output byte fails here; a change meant to leave the results alone
// (a faster lookup, fewer allocations) must pass unchanged. The numbers
// themselves are checked elsewhere (golden tables recomputed independently, Ic
// recomputed on every real row).
#include <cstdlib>

#include "app/run.h"
#include "app/startup.h"
#include "core/run_state.h"
#include "platform/host_env.h"
#include "support/vurn_test.h"

namespace {

class ExampleOutputsTest : public VurnTest {};

TEST_F(ExampleOutputsTest, EveryOutputByteOfTheExampleRunIsAsBefore) {
  ::setenv("COMPUTERNAME", "VURN-TEST", 1);
  HostClock_setFixed(2026, 12, 6, 36000.0);
  installDataArea();
  General_setup();
  Main_run();
  ::unsetenv("COMPUTERNAME");
  ASSERT_EQ(gRun.soundingsProcessed, 9);

  std::size_t files = 0;
  const std::uint64_t h = exampleOutputsChecksum(files);
  EXPECT_EQ(files, 20u);  // 9 tables, 9 direction files, 1 report, the log
  EXPECT_EQ(h, kExampleOutputsChecksum) << std::hex << "output checksum " << h;
}

}  // namespace
