#include "swf/SWFObjects/Actions.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>

#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

void TSWFAction::WriteToStream(TBitsEngine& be) {
  be.WriteByte(actionCode_);
  if (actionCode_ < kActionHasBody) return;
  TMemoryStream body;
  TBitsEngine bodyEngine(body, be);
  WriteActionData(bodyEngine);
  bodyEngine.FlushBits(true);
  // The length is what was written, so it always agrees with the body.
  if (body.Size() > 0xFFFF) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", actionCode_);
    be.Overflow(std::string("the length ") + std::to_string(body.Size()) + " of action " + code +
                " does not fit in 16 bits");
  }
  actionLength_ = static_cast<uint16_t>(body.Size());
  be.WriteWord(actionLength_);
  be.WriteBuffer(body.Data(), body.Size());
}

void TSWFActionGetUrl::WriteActionData(TBitsEngine& be) {
  be.WriteString(URL, true, true);
  be.WriteString(Target, true, false);
}

void TSWFActionGetUrl2::WriteActionData(TBitsEngine& be) {
  be.WriteBits(SendVarsMethod, 2);
  be.WriteBits(0, 4);
  be.WriteBit(LoadTargetFlag);
  be.WriteBit(LoadVariablesFlag);
}

void TSWFActionBranch::WriteActionData(TBitsEngine& be) { be.WriteWord(static_cast<uint16_t>(BranchOffset)); }

void TSWFActionByteCode::WriteToStream(TBitsEngine& be) { be.WriteBuffer(ByteCode.data(), ByteCode.size()); }

void TSWFActionPush::AddValue(const TFlashVar& value) {
  TPushValue v;
  if (std::holds_alternative<std::monostate>(value)) {
    v.ValueType = ptUndefined;
  } else if (std::holds_alternative<TFlashNull>(value)) {
    v.ValueType = ptNull;
  } else if (const auto* s = std::get_if<std::string>(&value)) {
    if (*s == "FlashVar_null") {
      v.ValueType = ptNull;
    } else if (*s == "FlashVar_undefined") {
      v.ValueType = ptUndefined;
    } else {
      v.ValueType = ptString;
      v.String = *s;
    }
  } else if (const auto* f = std::get_if<float>(&value)) {
    v.ValueType = ptFloat;
    v.Float = *f;
  } else if (const auto* d = std::get_if<double>(&value)) {
    v.ValueType = ptDouble;
    v.Double = *d;
  } else if (const auto* b = std::get_if<bool>(&value)) {
    v.ValueType = ptBoolean;
    v.Boolean = *b;
  } else {
    v.ValueType = ptInteger;
    v.Integer = std::get<int32_t>(value);
  }
  values_.push_back(std::move(v));
}

void TSWFActionPush::AddTypedValue(TSWFPushType type, uint16_t value) {
  TPushValue v;
  v.ValueType = type;
  v.Integer = value;
  values_.push_back(std::move(v));
}

uint8_t TSWFActionPush::MinVersion() const {
  for (const TPushValue& v : values_)
    if (v.ValueType != ptString && v.ValueType != ptFloat) return 5;
  return 4;
}

void TSWFActionPush::WriteActionData(TBitsEngine& be) {
  for (const TPushValue& v : values_) {
    be.WriteByte(v.ValueType);
    switch (v.ValueType) {
      case ptString:
        be.WriteString(v.String, true, false);
        break;
      case ptFloat:
        be.WriteSingle(v.Float);
        break;
      case ptNull:
      case ptUndefined:
        break;
      case ptRegister:
      case ptConstant8:
        be.WriteByte(static_cast<uint8_t>(v.Integer));
        break;
      case ptBoolean:
        be.WriteByte(v.Boolean ? 1 : 0);
        break;
      case ptDouble: {
        uint64_t bits = std::bit_cast<uint64_t>(v.Double);
        be.WriteDWord(static_cast<uint32_t>(bits >> 32));
        be.WriteDWord(static_cast<uint32_t>(bits));
        break;
      }
      case ptInteger:
        be.WriteDWord(static_cast<uint32_t>(v.Integer));
        break;
      case ptConstant16:
        be.WriteWord(static_cast<uint16_t>(v.Integer));
        break;
    }
  }
}

uint8_t TSWFActionList::MinVersion() const {
  uint8_t v = 1;
  for (const auto& a : actions_) v = std::max(v, a->MinVersion());
  return v;
}

void TSWFActionList::AimBranches(const TBitsEngine& be) const {
  const auto aimed = [](const std::unique_ptr<TSWFAction>& a) {
    const auto* branch = dynamic_cast<const TSWFActionBranch*>(a.get());
    return branch && branch->Target;
  };
  if (std::none_of(actions_.begin(), actions_.end(), aimed)) return;
  // A branch's own size does not depend on its offset: one trial writing
  // tells where every action starts.
  TMemoryStream trial;
  TBitsEngine engine(trial, be);
  std::vector<uint64_t> starts;
  for (const auto& a : actions_) {
    starts.push_back(trial.Size());
    a->WriteToStream(engine);
  }
  starts.push_back(trial.Size());
  for (size_t i = 0; i < actions_.size(); ++i) {
    if (!aimed(actions_[i])) continue;
    auto& branch = static_cast<TSWFActionBranch&>(*actions_[i]);
    const auto at = std::find_if(actions_.begin(), actions_.end(),
                                 [&](const std::unique_ptr<TSWFAction>& a) { return a.get() == branch.Target; });
    if (at == actions_.end()) be.Overflow("a branch aims at a marker outside its action list");
    const int64_t offset = static_cast<int64_t>(starts[at - actions_.begin()]) - static_cast<int64_t>(starts[i + 1]);
    if (offset < INT16_MIN || offset > INT16_MAX)
      be.Overflow("the branch offset " + std::to_string(offset) + " does not fit in 16 bits");
    branch.BranchOffset = static_cast<int16_t>(offset);
  }
}

void TSWFActionList::WriteToStream(TBitsEngine& be) const {
  AimBranches(be);
  for (const auto& a : actions_) a->WriteToStream(be);
}

bool EndsWithEndByte(const TSWFActionList& actions) {
  const auto* raw = dynamic_cast<const TSWFActionByteCode*>(actions.Last());
  return raw && !raw->ByteCode.empty() && raw->ByteCode.back() == 0;
}

}  // namespace tessaly::swf
