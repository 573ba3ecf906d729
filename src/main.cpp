#include "driver/quavor.hpp"

int main(int argc, char** argv) { return Quavor::main(argc, argv); }
