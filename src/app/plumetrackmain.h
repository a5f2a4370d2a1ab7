#pragma once

// The program: the tray application without arguments.
int plumetrackMain(int argc, char **argv);
