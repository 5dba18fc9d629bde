#include "tools/qeldap/QelDapProtocol.h"

#include <cstdlib>
#include <cstring>

namespace {
// Header lines end in CR LF; a blank line ends the header.
bool ReadLine(FILE* AIn, std::string& ALine) {
  ALine.clear();
  for (int c; (c = std::fgetc(AIn)) != EOF;) {
    if (c == '\n') {
      if (!ALine.empty() && ALine.back() == '\r') ALine.pop_back();
      return true;
    }
    ALine += char(c);
    if (ALine.size() > 4096) return false;  // not a header of this protocol
  }
  return false;
}
constexpr size_t MaxMessage = 64u << 20;
}  // namespace

std::optional<nlohmann::json> TDapChannel::Read() {
  size_t length = 0;
  bool haveLength = false;
  for (std::string line;;) {
    if (!ReadLine(FIn, line)) return std::nullopt;
    if (line.empty()) {
      if (haveLength) break;
      continue;
    }
    static constexpr char Key[] = "Content-Length:";
    if (line.compare(0, std::strlen(Key), Key) == 0) {
      length = std::strtoul(line.c_str() + std::strlen(Key), nullptr, 10);
      haveLength = length > 0 && length <= MaxMessage;
      if (!haveLength) return std::nullopt;
    }
  }
  std::string body(length, '\0');
  if (std::fread(body.data(), 1, length, FIn) != length) return std::nullopt;
  nlohmann::json message = nlohmann::json::parse(body, nullptr, false);
  if (message.is_discarded() || !message.is_object()) return nlohmann::json::object();
  return message;
}

void TDapChannel::Send(nlohmann::json AMessage) {
  std::lock_guard<std::mutex> guard(FSection);
  AMessage["seq"] = ++FSeq;
  const std::string body = AMessage.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fprintf(FOut, "Content-Length: %zu\r\n\r\n", body.size());
  std::fwrite(body.data(), 1, body.size(), FOut);
  std::fflush(FOut);
}

void TDapChannel::Respond(const nlohmann::json& ARequest, bool ASuccess, nlohmann::json ABody,
                          const std::string& AMessage) {
  nlohmann::json response = {{"type", "response"},
                             {"request_seq", ARequest.value("seq", 0)},
                             {"command", ARequest.value("command", "")},
                             {"success", ASuccess}};
  if (!ABody.is_null()) response["body"] = std::move(ABody);
  if (!AMessage.empty()) response["message"] = AMessage;
  Send(std::move(response));
}

void TDapChannel::Event(const std::string& AEvent, nlohmann::json ABody) {
  nlohmann::json event = {{"type", "event"}, {"event", AEvent}};
  if (!ABody.is_null()) event["body"] = std::move(ABody);
  Send(std::move(event));
}
