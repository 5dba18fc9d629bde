// The harnesses without libFuzzer: every build of the tests links each harness with this
// driver, which feeds it the script corpus and a fixed set of mutations of each script
// (bytes flipped, spans cut, copied and inserted). It is the smoke run the test command
// makes under the sanitizers at no extra build cost; the coverage-guided runs are
// fuzz/smoke.sh's, with clang.
//
// usage: HARNESS [--prefix BYTE] [--mutations N] PATH...   (directories are read recursively)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize);

namespace {

using TBytes = std::vector<uint8_t>;

// xorshift64: the same mutations on every machine and every run.
struct TRandom {
  uint64_t State = 0x9E3779B97F4A7C15ull;
  uint64_t Next() {
    State ^= State << 13;
    State ^= State >> 7;
    State ^= State << 17;
    return State;
  }
  size_t Below(size_t ALimit) { return ALimit ? size_t(Next() % ALimit) : 0; }
};

TBytes Mutate(TBytes AInput, TRandom& R) {
  const size_t size = AInput.size();
  const size_t at = R.Below(size + 1), span = 1 + R.Below(16);
  switch (R.Below(5)) {
    case 0:  // flip a byte
      if (size) AInput[R.Below(size)] ^= uint8_t(1 + R.Below(255));
      break;
    case 1:  // cut a span
      AInput.erase(AInput.begin() + at, AInput.begin() + std::min(size, at + span));
      break;
    case 2: {  // copy a span elsewhere
      const size_t from = R.Below(size + 1);
      TBytes piece(AInput.begin() + from, AInput.begin() + std::min(size, from + span));
      AInput.insert(AInput.begin() + at, piece.begin(), piece.end());
      break;
    }
    case 3:  // insert a byte the grammar cares about
      AInput.insert(AInput.begin() + at, uint8_t("()[];:=.,'\"&#%{}\n0 "[R.Below(20)]));
      break;
    default:  // cut the tail
      AInput.resize(at);
  }
  return AInput;
}

void Feed(const TBytes& AInput) { LLVMFuzzerTestOneInput(AInput.data(), AInput.size()); }

}  // namespace

int main(int argc, char** argv) {
  int mutations = 8;
  int prefix = -1;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--mutations" && i + 1 < argc) mutations = std::atoi(argv[++i]);
    else if (arg == "--prefix" && i + 1 < argc) prefix = std::atoi(argv[++i]);
    else if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.emplace_back(arg);
    }
  }
  std::sort(files.begin(), files.end());
  TRandom random;
  size_t inputs = 0;
  for (const auto& path : files) {
    std::ifstream file(path, std::ios::binary);
    TBytes input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (prefix >= 0) input.insert(input.begin(), uint8_t(prefix));
    Feed(input);
    ++inputs;
    for (int m = 0; m < mutations; ++m, ++inputs) {
      TBytes mutated = Mutate(input, random);
      if (random.Below(2)) mutated = Mutate(std::move(mutated), random);
      Feed(mutated);
    }
  }
  std::printf("replayed %zu inputs from %zu files\n", inputs, files.size());
  return files.empty() ? 1 : 0;
}
