// Reading the main window's run options into the run-state record.
#pragma once

// Reads every run option of the main window into gRun: line breakdown, the
// lowest-Qc start depth, Nk, the cone normalization method, the output column
// source, the field data file type, the chart data source and whether to write
// it, the soil type method, the earthquake magnitude and CSR file. Groups with
// no selected button leave "-5435" (or "-5434" for the column and chart
// sources); a greyed line-breakdown box leaves the previous value.
void VurnScreen_read_values();
