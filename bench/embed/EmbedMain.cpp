// bench_embed lua FILE | bench_embed python FILE
#include <cstdio>
#include <cstring>

#include "bench/embed/EmbedHost.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "lua") == 0) return qelembed::RunLua(argv[0], argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "python") == 0) return qelembed::RunPython(argv[0], argv[2]);
  std::fprintf(stderr, "usage: %s lua|python FILE\n", argc > 0 ? argv[0] : "bench_embed");
  return 2;
}
