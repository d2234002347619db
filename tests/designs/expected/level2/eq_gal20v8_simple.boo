Y0 = A & B
				; 1 
/Y1 =  /C &  /Y0
				; 1 
Y2 = D & Y1
				; 1 
Y3 = VCC		; 1
Y4 = Y7
				; 1 
Y5 =  /A
				; 1 
Y7 = X &  /N +
		 /X & N
				; 2 
Y6 = L & Y3
				; 1 


$__SYMTAB_INFO:
Design_Name: einfach
Gal_Type: 1
Gal_Mode: 1
Clk_Pin: 1
User_ID: __LEER

Pin_Node: A Pin_or_Node: 1 Number: 1 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: C Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: E Pin_or_Node: 1 Number: 5 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: F Pin_or_Node: 1 Number: 6 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G Pin_or_Node: 1 Number: 7 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: H Pin_or_Node: 1 Number: 8 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I Pin_or_Node: 1 Number: 9 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: J Pin_or_Node: 1 Number: 10 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: K Pin_or_Node: 1 Number: 11 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: L Pin_or_Node: 1 Number: 13 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: X Pin_or_Node: 1 Number: 14 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Y0 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y1 Pin_or_Node: 1 Number: 16 Pol: 0 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y2 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y3 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 2 Reg: -1 Trst: -1 Res: 0
Pin_Node: Y4 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y5 Pin_or_Node: 1 Number: 20 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y6 Pin_or_Node: 1 Number: 21 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y7 Pin_or_Node: 1 Number: 22 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: N Pin_or_Node: 1 Number: 23 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
