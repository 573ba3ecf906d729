#include "driver/quavor_view.hpp"

int main(int argc, char** argv) { return Quavor_view::main(argc, argv); }
