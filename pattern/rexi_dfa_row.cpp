#include "pattern/rexi_dfa_row.h"

// Constant-initialised, so they stand before any code runs.
constinit REXI_DfaRow REXI_NoTransitionRow(-2, true, false);
constinit REXI_DfaRow REXI_InitialRow(REXI_DfaRow::SelfLoop{}, -1, true, false);
constinit REXI_DfaRow REXI_FinalRow(-2, true, true);
constinit REXI_DfaRow REXI_UnbuiltRow(-2, true, false);
