#include "document/BuildTestSupport.h"

namespace tessaly::test {

std::string ObjectOrder(swf::TFlashMovie& movie) {
  std::string order;
  for (auto& o : movie.ObjectList()) {
    auto* p = o.get();
    if (dynamic_cast<swf::TFlashShape*>(p)) order += 'S';
    else if (dynamic_cast<swf::TFlashImage*>(p)) order += 'I';
    else if (dynamic_cast<swf::TFlashFont*>(p)) order += 'F';
    else if (dynamic_cast<swf::TFlashText*>(p)) order += 'T';
    else if (dynamic_cast<swf::TFlashButton*>(p)) order += 'B';
    else if (dynamic_cast<swf::TFlashPlaceObject*>(p)) order += 'P';
    else if (dynamic_cast<swf::TFlashActionScript*>(p)) order += 'A';
    else order += '.';
  }
  return order;
}

std::vector<int> ActionCodes(const swf::TSWFActionList& list) {
  std::vector<int> codes;
  for (std::size_t i = 0; i < list.Count(); ++i) codes.push_back(list[i].ActionCode());
  return codes;
}

const swf::TSWFActionList* ButtonActions(swf::TFlashButton& button, swf::TSWFButtonCondition condition) {
  const swf::TSWFButtonCondAction* c = button.Button2()->FindCondAction(condition);
  return c ? &c->Actions() : nullptr;
}

std::vector<int> ButtonActionCodes(swf::TFlashButton& button, swf::TSWFButtonCondition condition) {
  const swf::TSWFActionList* list = ButtonActions(button, condition);
  return list ? ActionCodes(*list) : std::vector<int>{};
}

std::vector<int> FillAlphas(swf::TFlashShape& shape) {
  std::vector<int> alphas;
  for (auto& style : shape.Definition().FillStyles()) {
    if (auto* solid = dynamic_cast<swf::TSWFColorFill*>(style.get())) alphas.push_back(solid->Color.Alpha());
    if (auto* gradient = dynamic_cast<swf::TSWFGradientFill*>(style.get()))
      for (int i = 1; i <= gradient->GradientCount; ++i) alphas.push_back(gradient->GradientRecord(i).Color.Alpha());
  }
  return alphas;
}

TTwipsPoint FirstMove(swf::TFlashShape& shape) {
  for (auto& r : shape.Definition().ShapeRecords())
    if (auto* s = dynamic_cast<swf::TSWFStyleChangeRecord*>(r.get()); s && s->StateMoveTo)
      return {s->DeltaX, s->DeltaY};
  return {};
}

void PrintTo(const TTwipsPoint& point, std::ostream* out) { *out << "(" << point.X << ", " << point.Y << ")"; }

TFirstEdge FirstEdge(swf::TFlashShape& shape) {
  for (auto& rec : shape.Definition().ShapeRecords()) {
    if (rec->ShapeRecordType() == swf::srStraightEdge) {
      auto& edge = static_cast<swf::TSWFStraightEdgeRecord&>(*rec);
      return {swf::srStraightEdge, {edge.DeltaX, edge.DeltaY}};
    }
    if (rec->ShapeRecordType() == swf::srCurvedEdge) {
      auto& curve = static_cast<swf::TSWFCurvedEdgeRecord&>(*rec);
      return {swf::srCurvedEdge, {curve.ControlDeltaX, curve.ControlDeltaY, curve.AnchorDeltaX, curve.AnchorDeltaY}};
    }
  }
  return {};
}

void PrintTo(const TFirstEdge& edge, std::ostream* out) {
  *out << (edge.Type == swf::srCurvedEdge ? "curve {" : edge.Type == swf::srStraightEdge ? "line {" : "none {");
  for (std::size_t i = 0; i < edge.Deltas.size(); ++i) *out << (i ? ", " : "") << edge.Deltas[i];
  *out << "}";
}

swf::TRect BoundsOf(swf::TFlashShape& shape) {
  const swf::TSWFRect& r = shape.Bounds();
  return {r.Xmin(), r.Ymin(), r.Xmax(), r.Ymax()};
}

}  // namespace tessaly::test
