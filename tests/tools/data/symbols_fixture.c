/* A small i686 program for the tests of the COFF symbol and DWARF line
   readers: two global functions in one file, linked without the runtime. */
static int twice(int x) { return 2 * x; }

int helper(int a, int b) {
  int s = 0;
  for (int i = a; i < b; ++i) s += twice(i);
  return s;
}

void start(void) { helper(1, 5); }
