#include "app/plumetrackmain.h"

int main(int argc, char **argv)
{
    return plumetrackMain(argc, argv);
}
