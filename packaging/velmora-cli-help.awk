/^  -/ {
  under = 0
  for (i = 1; i <= NF; i++) {
    name = $i; sub(/,$/, "", name)
    if (name ~ /^-/) { if (option == "") print name; else if (name == option) under = 1 }
    else if (name !~ /^[A-Z]+$/) break
  }
  next
}
option != "" && under && substr($0, 1, 16) ~ /^ +$/ && substr($0, 17, 1) != " " { print $1 }
