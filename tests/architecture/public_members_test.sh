#!/usr/bin/env bash
# public_members.py counts what a header declares public, however it is written.
# Usage: public_members_test.sh
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
header=$(mktemp --suffix=.h)
trap 'rm -f "$header"' EXIT
cat >"$header" <<'CPP'
struct Helper { void NotCounted(); };
class Listed {
  void PrivateByDefault();

 public:
  static constexpr int kColumn = 3;  // a constant, not a function
  Listed(int a, int b);
  Listed(const Listed&) = delete;
  Listed& operator=(const Listed&) = delete;
  // void InAComment();
  const int& Value() const { return value_; }
  int& Value() { if (value_) { return value_; } return value_; }
  static std::string Named(const std::string& text = "a;b{");
  void Spread(int first,
              int second) const;
  struct Inner {
    void InnerFunction();
  };
  std::function<void(int)> Callback() const;

 protected:
  void Protected();

 private:
  void Private();
  int value_ = 0;
};
CPP
expected=$'Listed(int a, int b)\nconst int& Value() const\nint& Value()\nstatic std::string Named(const std::string& text = "")\nvoid Spread(int first, int second) const\nstd::function<void(int)> Callback() const'
actual=$(python3 "$here/public_members.py" "$header" Listed)
if [[ $actual != "$expected" ]]; then
  echo "public_members: counted" >&2
  echo "$actual" >&2
  exit 1
fi
echo "public_members: 6 public member functions, as declared"
