#pragma once

namespace kirivane {

// Where a controller keeps the view it talks to. Until a view is set (a panel not built, a
// headless player) it talks to a view of its own whose methods do nothing, so callers never
// check for a missing view. The view type gives every method a default body.
template <typename View>
class ViewSlot {
 public:
  ViewSlot() = default;
  ViewSlot(const ViewSlot&) = delete;
  ViewSlot& operator=(const ViewSlot&) = delete;

  // nullptr returns to the view that does nothing.
  void Set(View* view) { view_ = view != nullptr ? view : &none_; }
  View* operator->() const { return view_; }
  View& operator*() const { return *view_; }

 private:
  View none_;
  View* view_ = &none_;
};

}  // namespace kirivane
