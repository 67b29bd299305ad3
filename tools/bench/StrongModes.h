// The bench's modes for the strong player, chosen by the first argument.
#pragma once

// bench --strong [--depth N] [--position NAME] [--check-signature FILE]
// bench --strong-nps [--nodes N]
// bench --wac FILE [--ms N] [--first N] [--count N]
int StrongMain(int argc, char** argv);
