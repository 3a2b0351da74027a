#include "app/gtk/FernMain.h"

int main(int argc, char** argv) { return fern::RunFern(argc, argv); }
