// make_ma_zlk: writes the MA data file from the facts table.
//   make_ma_zlk data/ma-source.tsv data/ma.zlk
// Prints every merge of prefixes it had to make.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "tariff/ma_zlk_builder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_ma_zlk <ma-source.tsv> <ma.zlk>\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::ostringstream text;
    text << in.rdbuf();
    const zelk::MaZlkBuild build = zelk::buildMaZlk(zelk::parseMaSource(text.str()));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << build.file;
    out.close();
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
    for (const auto& note : build.notes) std::cout << note << "\n";
  } catch (const std::exception& error) {
    std::cerr << "make_ma_zlk: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
