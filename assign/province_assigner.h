// Who places the target provinces that a conversion left without an owner:
// the dialog of the Windows program, or the command line. It works through
// the model's commands and returns when every province is placed; false gives
// up, and the conversion stops without a scenario.
#pragma once

class MissingProvinceModel;

class ProvinceAssigner {
 public:
  virtual ~ProvinceAssigner() = default;
  virtual bool Assign(MissingProvinceModel& model) = 0;
};
