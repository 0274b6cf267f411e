// help.h -- the console help text.
#pragma once

void printHelp();
