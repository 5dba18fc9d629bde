// The Debug Adapter Protocol's framing: "Content-Length: N\r\n\r\n" followed by N bytes of
// JSON, in both directions, over standard input and output.
#pragma once

#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

class TDapChannel {
 public:
  TDapChannel(FILE* AIn, FILE* AOut) : FIn(AIn), FOut(AOut) {}
  // The next message, or nothing at the end of the input or on a malformed frame.
  std::optional<nlohmann::json> Read();
  // Responses and events may come from several threads; each goes out whole.
  void Respond(const nlohmann::json& ARequest, bool ASuccess, nlohmann::json ABody = nullptr,
               const std::string& AMessage = {});
  void Event(const std::string& AEvent, nlohmann::json ABody = nullptr);

 private:
  void Send(nlohmann::json AMessage);
  FILE* FIn;
  FILE* FOut;
  std::mutex FSection;
  int FSeq = 0;
};
