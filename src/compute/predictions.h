// Property predictions of a depth: the standard chart sweep (unit weight, soil
// type index, cyclic resistance, shear-wave velocity, strength, blow count),
// which also re-decides the unit weight and writes the chart-direction line,
// and the value of every output column by its method (basic value, chart
// lookup with conversion, strength by cone factor Nk, cyclic resistance by
// formula).
#pragma once

#include "q1o/columns.h"

struct ChartPredictions {
  float icValue = -5435.0f;
  float uwt1Value = -5435.0f;
  float crreValue = -5435.0f;
  float vs1Value = -5435.0f;
  float s1Value = -5435.0f;
  float n1Value = -5435.0f;
};

extern ChartPredictions gPredictions;

// The standard sweep at (fr, qc1); writes the chart-direction line for the S1
// chart when writeDirectionLine is true.
void Charts_sweep(float fr, float qc1, bool writeDirectionLine);

// The value of one output column at the current depth, in its property's base
// unit (the Q1o writer applies the column's factor).
float ColumnValue(const ColumnDef& column);

// Converts a chart value to the property of the column last analysed.
float ChartValue_convert(float v);

// The run's check of the prepared columns: every column must be computable
// (a basic property, a strength by Nk, a CRR by UCD or UCB, or a property whose
// chart is loaded, found by the same rule as ColumnValue); "RE092" otherwise.
void Columns_validate();
