// The library's content is its resources.
int vocalinoFormsLinked() { return 1; }
