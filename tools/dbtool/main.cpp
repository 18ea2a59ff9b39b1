#include <iostream>
#include <string>
#include <vector>

#include "tools/dbtool/dbtool.h"

int main(int argc, char** argv) {
    return dbtool::RunDbTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
