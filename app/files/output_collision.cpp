#include "app/files/output_collision.h"

#include "app/files/same_file.h"

namespace {

std::string Message(const RunFile& output, const RunFile& other) {
  return "The " + output.what + " " + output.path + " would overwrite the " + other.what + " " + other.path +
         "; choose another file.";
}

}  // namespace

std::optional<std::string> OutputCollision(const std::vector<RunFile>& outputs, const std::vector<RunFile>& inputs) {
  for (size_t i = 0; i < outputs.size(); ++i) {
    for (size_t j = 0; j < i; ++j)
      if (SameFile(outputs[i].path, outputs[j].path)) return Message(outputs[i], outputs[j]);
    for (const RunFile& input : inputs)
      if (SameFile(outputs[i].path, input.path)) return Message(outputs[i], input);
  }
  return std::nullopt;
}

std::optional<std::string> ScenarioCollision(const std::string& target, const std::string& save) {
  return OutputCollision({{"scenario", target}}, {{"save game", save}});
}
