#pragma once
// The movie: an ordered list of tags and movie-level objects written as one
// SWF file, and the roots of the movie-level objects.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/SWFObjects.h"
#include "swf/SWFStreams.h"

namespace tessaly::swf {

class TFlashMovie;

// Any movie-level object; it writes the tags it stands for.
class TFlashObject : public TBasedSWFObject {
 public:
  explicit TFlashObject(TFlashMovie* owner = nullptr) : owner_(owner) {}

  bool IsMovieObject() const override { return true; }
  TFlashMovie* Owner() const { return owner_; }
  // Sets the owner, then runs OwnerChanged.
  void SetOwner(TFlashMovie* owner);
  virtual void OwnerChanged() {}
  // Factor applied to the coordinates callers give: the owner's
  // UnitsFactor, 1 without owner.
  virtual uint8_t UnitsFactor() const;
  // Handed the highest SWF version needed so far just before the object is
  // written; placements pass it on to their PlaceObject2.
  virtual void SetSWFVersion(uint8_t) {}

 private:
  TFlashMovie* owner_;
};

// An action list written as a DoAction tag. It either owns the list it made
// or is a view on a list held elsewhere (a button's condition action).
class TFlashActionScript : public TFlashObject {
 public:
  explicit TFlashActionScript(TFlashMovie* owner, TSWFActionList* list = nullptr);

  TSWFActionList& Actions() { return *list_; }
  const TSWFActionList& Actions() const { return *list_; }
  bool OwnsList() const { return ownList_ != nullptr; }
  // Points the view at another list (not owned).
  void SetActionList(TSWFActionList* list);

  void GetUrl(const std::string& url, const std::string& target);
  void Stop();
  void StartDrag();
  void EndDrag();
  // Merged into the last action when that is a Push.
  void Push(const TFlashVar& value);
  void Push(const char* value) { Push(TFlashVar(std::string(value))); }
  // Push of the name (merged as above), then GetVariable.
  void GetVariable(const std::string& name);
  // A new Push of the name and the value, then SetVariable.
  void SetVariable(const std::string& name, const TFlashVar& value);
  void SetVariable(const std::string& name, const char* value) { SetVariable(name, TFlashVar(std::string(value))); }

  // Largest MinVersion of the actions, at least 1.
  uint8_t MinVersion() const override { return list_->MinVersion(); }
  void WriteToStream(TBitsEngine& be) override;

 private:
  std::unique_ptr<TSWFActionList> ownList_;
  TSWFActionList* list_;
};

class TFlashMovie : public TBasedSWFStream {
 public:
  using TObjectList = std::vector<std::unique_ptr<TBasedSWFObject>>;

  // The rectangle is in caller units (pixels with PixelUnits); it is stored
  // in twips.
  TFlashMovie(int32_t xmin, int32_t ymin, int32_t xmax, int32_t ymax, double frameRate, bool pixelUnits = false);

  // Appends Obj to ObjectList; InsertIndex becomes its index.
  template <class T>
  T* AddFlashObject(std::unique_ptr<T> obj) {
    T* p = obj.get();
    objectList_.push_back(std::move(obj));
    insertIndex_ = static_cast<int>(objectList_.size()) - 1;
    return p;
  }
  TObjectList& ObjectList() { return objectList_; }
  const TObjectList& ObjectList() const { return objectList_; }
  // Index of the object added last by AddFlashObject, -1 before any.
  int InsertIndex() const { return insertIndex_; }

  // The ID the next character gets; starts at 1.
  uint16_t NextCharacterID() const { return nextCharacterID_; }
  void SetNextCharacterID(uint16_t id) { nextCharacterID_ = id; }

  // The actions of the frame being built; created on first use and handed
  // to ObjectList by ShowFrame.
  TFlashActionScript& FrameActions();
  bool HasFrameActions() const { return frameActions_ != nullptr; }
  // The label given to the frame being built (written by ShowFrame).
  void SetFrameLabel(std::string label) { frameLabel_ = std::move(label); }
  const std::string& FrameLabel() const { return frameLabel_; }

  // Created on first use; from then on the movie starts with a
  // SetBackgroundColor tag.
  TSWFRGB& SWFBackgroundColor();
  bool HasBackgroundColor() const { return backgroundColor_ != nullptr; }

  // Closes the frame being built: its label, its actions, then Count
  // ShowFrame tags (0 counts as 1).
  void ShowFrame(uint16_t count = 1);
  // Index of the frame closed last, -1 before any.
  int CurrentFrame() const { return currentFrame_; }

  // Turns ObjectList into the tag stream, ends it with End, counts the
  // frames and raises the version to what the objects need.
  void WriteObjects() override;

 private:
  TObjectList objectList_;
  uint16_t nextCharacterID_ = 1;
  int insertIndex_ = -1;
  std::unique_ptr<TSWFRGB> backgroundColor_;
  std::unique_ptr<TFlashActionScript> frameActions_;
  std::string frameLabel_;
  int currentFrame_ = -1;
};

}  // namespace tessaly::swf
