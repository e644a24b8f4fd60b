// Bringing the slope and the intercept to lowest terms by trial division.
#include "app/graph_state.h"
#include "core/equation.h"

void GraphState::ReduceFractions() { equation::ReduceFractions(*this); }
