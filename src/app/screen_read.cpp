// The run options of the main window, read at the start of every run.
#include "app/screen_read.h"

#include "core/null_value.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "numeric/numeric_tools.h"

namespace {

bool selected(const char* name) { return MainControl(name).value == 1; }

}  // namespace

void VurnScreen_read_values() {
  const int breakdown = MainControl("Show_BreakdownOf_LineInput_8chk").value;
  if (breakdown == 0) gRun.lineBreakdownWanted = "False";
  if (breakdown == 1) gRun.lineBreakdownWanted = "True";

  gRun.lowestQcStartDepthFeet = NumberOrNull(MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text);
  gRun.nk = MainControl("Nk_8txt").text;

  gRun.coneNormalizationMethod = NullText;
  if (selected("Norm_Tavik_8opb")) gRun.coneNormalizationMethod = "TAVIK";
  if (selected("Norm_Tavik_SF_8opb")) gRun.coneNormalizationMethod = "TAVIK_SF";
  if (selected("Norm_PRob_8opb")) gRun.coneNormalizationMethod = "PROB";

  gRun.outputColumnSource = UnsetText;
  if (selected("Columns_Q1o_Internal_8opb")) gRun.outputColumnSource = "INTERNAL";
  if (selected("Columns_Q1o_File_8opb")) gRun.outputColumnSource = "FILE";

  gRun.fieldDataFileType = NullText;
  if (selected("CPT_input_FileType_HOG_8opb")) gRun.fieldDataFileType = "HOG";
  if (selected("CPT_input_FileType_AEG_8opb")) gRun.fieldDataFileType = "AEG";
  if (selected("CPT_input_FileType_Simple_8opb")) gRun.fieldDataFileType = "SIMPLE";

  gRun.chartDataSource = UnsetText;
  if (selected("SLD_data_location_Internal_8opb")) gRun.chartDataSource = "INTERNAL";
  if (selected("SLD_data_location_File_8opb")) gRun.chartDataSource = "FILE";

  gRun.writeChartData = selected("SLD_data_Write_to_File_8ckb");

  gRun.soilTypeMethod = NullText;
  if (selected("Ic_calculation_method_tavik_8opb")) gRun.soilTypeMethod = "Tavik";
  if (selected("Ic_calculation_method_PRob_8opb")) gRun.soilTypeMethod = "Robertson";

  gRun.earthquakeMagnitudeText = MainControl("EQ_Mb_8txt").text;
  gRun.earthquakeMagnitude = NumberOrNull(gRun.earthquakeMagnitudeText);
  gRun.earthquakeCsrFile = MainControl("EQ_CSR_file_8txt").text;
  gRun.earthquakeAmaxText = MainControl("EQ_amax_8txt").text;
}
