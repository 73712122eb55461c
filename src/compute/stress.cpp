// Unit weight and effective stress (being written).
#include "compute/stress.h"

UwtTable gUwtTable;

void UwtTable_reset() { gUwtTable = UwtTable{}; }
void UnitWeight_compute() {}
void EffectiveStress_step() {}
void UwtFile_lookup() {}
