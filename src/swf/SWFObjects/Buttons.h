#pragma once
// Button records, condition actions, DefineButton and DefineButton2.

#include <cstdint>
#include <memory>
#include <vector>

#include "swf/SWFObjects/Actions.h"
#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

class TSWFButtonRecord {
 public:
  TSWFButtonRecord(uint16_t characterId = 0, uint8_t states = 0, uint16_t placeDepth = 0)
      : States(states), CharacterId(characterId), PlaceDepth(placeDepth) {}

  // Created on first access, with alpha.
  TSWFColorTransform& ColorTransform();
  bool HasColorTransform() const { return colorTransform_ != nullptr; }
  TSWFMatrix& Matrix() { return matrix_; }

  // With the colour transform for DefineButton2 (0x00 when never set).
  void WriteToStream(TBitsEngine& be, bool withColorTransform) const;

  // A set of TSWFButtonState bits.
  uint8_t States;
  uint16_t CharacterId;
  uint16_t PlaceDepth;

 private:
  std::unique_ptr<TSWFColorTransform> colorTransform_;
  TSWFMatrix matrix_;
};

class TSWFButtonCondAction {
 public:
  explicit TSWFButtonCondAction(uint16_t conditions = 0) : Conditions(conditions) {}
  bool HasCondition(TSWFButtonCondition c) const { return Conditions & (1u << c); }
  void AddCondition(TSWFButtonCondition c) { Conditions |= uint16_t(1u << c); }
  TSWFActionList& Actions() { return actions_; }
  const TSWFActionList& Actions() const { return actions_; }

  uint16_t Conditions;
  uint8_t KeyCode = 0;

 private:
  TSWFActionList actions_;
};

// DefineButton: records without colour transforms and one action list.
class TSWFDefineButton : public TSWFObject {
 public:
  TSWFDefineButton() : TSWFObject(tagDefineButton) {}
  TSWFButtonRecord& AddRecord(uint16_t characterId, uint8_t states, uint16_t depth);
  std::vector<std::unique_ptr<TSWFButtonRecord>>& ButtonRecords() { return records_; }
  TSWFActionList& Actions() { return actions_; }
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t ButtonId = 0;

 private:
  std::vector<std::unique_ptr<TSWFButtonRecord>> records_;
  TSWFActionList actions_;
};

class TSWFDefineButton2 : public TSWFObject {
 public:
  TSWFDefineButton2() : TSWFObject(tagDefineButton2) {}
  // The record gets an empty colour transform with alpha.
  TSWFButtonRecord& AddRecord(uint16_t characterId, uint8_t states, uint16_t depth);
  TSWFButtonCondAction& AddCondAction(uint16_t conditions);
  // First condition action whose set holds the condition, or null.
  TSWFButtonCondAction* FindCondAction(TSWFButtonCondition c) const;
  std::vector<std::unique_ptr<TSWFButtonRecord>>& ButtonRecords() { return records_; }
  std::vector<std::unique_ptr<TSWFButtonCondAction>>& CondActions() { return condActions_; }

  // Its actions are not counted.
  uint8_t MinVersion() const override { return 3; }
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t ButtonId = 0;
  bool TrackAsMenu = false;

 private:
  std::vector<std::unique_ptr<TSWFButtonRecord>> records_;
  std::vector<std::unique_ptr<TSWFButtonCondAction>> condActions_;
};

}  // namespace tessaly::swf
