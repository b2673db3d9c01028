#pragma once

// Keeps every hint (tool tip) of the application up for the given time instead of Qt's own.
namespace HintTime {

void install(int milliseconds);
int current();

} // namespace HintTime
