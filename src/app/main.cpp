#include "shell/Application.h"

int main(int argc, char **argv)
{
    return RunGrizal2(argc, argv);
}
